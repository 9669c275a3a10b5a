// The calculator on every kind of screen: phones and tablets worked by a finger get the one-column
// layout (every target large enough to tap, text large enough to read, every result whole), a
// desktop with a mouse keeps the window as designed; on each, the worked example, a message, the
// About window and 新建 work as a user there would work them.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { ABOUT, MAIN, control, field, fieldTexts, focusedName, launchBrowser, menuItem, messageShown,
         openCalculator, skipWithoutScreen, visibleWindows, workedExample } from './support/page.mjs';

const touch = { isMobile: true, hasTouch: true };
// A browser zoomed in is a narrower viewport of larger pixels.
const screens = [
    { name: 'phone upright', viewport: { width: 360, height: 740, deviceScaleFactor: 2, ...touch }, oneColumn: true },
    { name: 'larger phone upright', viewport: { width: 390, height: 844, deviceScaleFactor: 3, ...touch }, oneColumn: true },
    { name: 'tablet upright', viewport: { width: 768, height: 1024, deviceScaleFactor: 2, ...touch }, oneColumn: true },
    { name: 'tablet on its side', viewport: { width: 1024, height: 768, deviceScaleFactor: 2, ...touch }, oneColumn: true },
    { name: 'desktop with a mouse', viewport: { width: 1280, height: 800 }, oneColumn: false },
    { name: 'desktop at 200 %', viewport: { width: 640, height: 400, deviceScaleFactor: 2 }, oneColumn: false, zoomOf: 'desktop with a mouse' },
    { name: '320 px (a desktop at 400 %)', viewport: { width: 320, height: 200, deviceScaleFactor: 4 }, oneColumn: true, zoomOf: 'desktop with a mouse' },
    { name: 'tablet at 200 %', viewport: { width: 384, height: 512, deviceScaleFactor: 4, ...touch }, oneColumn: true, zoomOf: 'tablet upright' },
];
const { typed: example, results, buttons: calculations } = workedExample;
// The longest text a result can have: sign, 15 digits, point and exponent.
const longestResult = '-1.23456789012345e+308';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

// A finger taps, a mouse clicks.
const press = (page, screen, selector) =>
    (screen.viewport.hasTouch ? page.tap(selector) : page.click(selector));

async function typeByHand(page, screen, n, text) {
    await press(page, screen, field(n));
    await page.evaluate((selector) => document.querySelector(selector).select(), field(n));
    await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
}

// Every control shown that takes a tap or a click, and the size of every text shown.
async function measure(page) {
    return page.evaluate(() => {
        const shown = (element) => element.getClientRects().length > 0 &&
            getComputedStyle(element).visibility !== 'hidden';
        // An open message box leaves nothing else to tap; an open menu lies over the window.
        const dialog = document.getElementById('message');
        const scope = dialog.open ? dialog : document;
        const targets = [...scope.querySelectorAll('input, button, [role="menuitem"]')].filter(shown)
            .map((element) => {
                const r = element.getBoundingClientRect();
                return { name: element.dataset.name ?? element.id, layer: element.closest('[role="menu"]') ? 'menu' : 'window',
                         left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
            });
        const texts = [];
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        while (walker.nextNode()) {
            const node = walker.currentNode;
            const element = node.parentElement;
            if (!node.textContent.trim() || element.closest('script, template') || !shown(element)) continue;
            texts.push({ text: node.textContent.trim(), size: parseFloat(getComputedStyle(element).fontSize) });
        }
        for (const input of document.querySelectorAll('input')) {
            if (shown(input)) texts.push({ text: input.dataset.name, size: parseFloat(getComputedStyle(input).fontSize) });
        }
        return { targets, texts, pageWidth: document.documentElement.scrollWidth, viewWidth: innerWidth };
    });
}

function assertLargeEnoughToTap({ targets, texts }, where) {
    for (const t of targets) {
        assert.ok(t.width >= 44 && t.height >= 44, `${where}: ${t.name} is ${t.width} x ${t.height}`);
    }
    // Room between targets: no two of one layer come closer than 4 px.
    for (const [i, a] of targets.entries()) {
        for (const b of targets.slice(i + 1).filter((t) => t.layer === a.layer)) {
            const apart = Math.max(b.left - a.right, a.left - b.right, b.top - a.bottom, a.top - b.bottom);
            assert.ok(apart >= 4 - 0.01, `${where}: ${a.name} and ${b.name} are ${apart} px apart`);
        }
    }
    for (const t of texts) assert.ok(t.size >= 16, `${where}: "${t.text}" at ${t.size} px`);
}

const smallestText = async (page) => Math.min(...(await measure(page)).texts.map((t) => t.size));

for (const screen of screens) {
    test(`${screen.name}: ${screen.oneColumn ? 'one column for a finger' : 'the window as designed'}, nothing wider than the screen`, async (t) => {
        if (skipWithoutScreen(t, screen.viewport)) return;
        const page = await openCalculator(browser, screen.viewport);
        const shown = await measure(page);
        assert.ok(shown.pageWidth <= shown.viewWidth, `the page is ${shown.pageWidth} px wide in ${shown.viewWidth}`);
        const client = await page.$eval(`[data-window="${MAIN}"] .client`, (c) => [c.offsetWidth, c.offsetHeight]);
        if (screen.oneColumn) {
            assertLargeEnoughToTap(shown, 'the calculator');
            await press(page, screen, menuItem('文件'));
            assertLargeEnoughToTap(await measure(page), 'the 文件 menu');
            await press(page, screen, menuItem('文件'));
            await press(page, screen, control(MAIN, 'Command1'));
            assertLargeEnoughToTap(await measure(page), 'a message');
            await press(page, screen, '#message-ok');
            await press(page, screen, menuItem('关于'));
            assertLargeEnoughToTap(await measure(page), 'the About window');
            // Each field stands beside its unit, under its caption, and its button under it.
            const [caption, text1, unit] = await Promise.all(['配制溶液质量', 'Text1', '克'].map((name) =>
                page.$eval(control(MAIN, name), (e) => e.getBoundingClientRect().toJSON())));
            assert.ok(caption.bottom <= text1.bottom && unit.left >= text1.right, 'Text1 with its caption and unit');
        } else {
            assert.deepEqual(client, [405, 274]);
        }
        if (screen.zoomOf) {
            const unzoomed = screens.find((s) => s.name === screen.zoomOf);
            const other = await openCalculator(browser, unzoomed.viewport);
            // The zoom enlarges every CSS pixel; the text keeps at least its size in CSS pixels.
            const [before, after] = [await smallestText(other), await smallestText(page)];
            assert.ok(after >= before, `the smallest text, ${before} px unzoomed, is ${after} px zoomed`);
            await other.close();
        }
        assert.deepEqual(page.problems, []);
        await page.close();
    });

    test(`${screen.name}: the worked example, a message and 确定, About and 返回, 新建, by hand`, async (t) => {
        if (skipWithoutScreen(t, screen.viewport)) return;
        const page = await openCalculator(browser, screen.viewport);
        await press(page, screen, control(MAIN, 'Command1'));
        assert.equal((await messageShown(page)).text, '请输入所需配制溶液质量!');
        await press(page, screen, '#message-ok');
        assert.equal((await messageShown(page)).open, false);

        for (const [n, text] of Object.entries(example)) await typeByHand(page, screen, n, text);
        for (const button of calculations) await press(page, screen, control(MAIN, button));
        const texts = await fieldTexts(page);
        for (const [n, text] of Object.entries({ ...example, ...results })) assert.equal(texts[`Text${n}`], text);

        // The designed window's result fields are narrower than a result; the one-column layout's
        // show the longest whole.
        if (screen.oneColumn) {
            const whole = (n) => page.$eval(field(n), (input) => input.scrollWidth <= input.clientWidth);
            for (const n of Object.keys(results)) assert.ok(await whole(n), `Text${n} shows its result whole`);
            for (const n of Object.keys(results)) {
                await page.$eval(field(n), (input, text) => { input.value = text; }, longestResult);
                assert.ok(await whole(n), `Text${n} shows ${longestResult} whole`);
            }
        }

        await press(page, screen, menuItem('关于'));
        assert.deepEqual(await visibleWindows(page), [ABOUT]);
        await press(page, screen, control(ABOUT, 'Command1'));
        assert.deepEqual(await visibleWindows(page), [MAIN]);
        await press(page, screen, menuItem('文件'));
        await press(page, screen, menuItem('新建'));
        assert.ok(Object.values(await fieldTexts(page)).every((text) => text === ''), '新建 empties every field');
        assert.deepEqual(page.problems, []);
        await page.close();
    });
}

test('the entry fields bring up a keypad with the point; the results keep the full keyboard and take any text', async (t) => {
    if (skipWithoutScreen(t, screens[0].viewport)) return;
    const page = await openCalculator(browser, screens[0].viewport);
    const modes = await page.$$eval(`[data-window="${MAIN}"] input`, (inputs) =>
        Object.fromEntries(inputs.map((i) => [i.dataset.name, i.inputMode])));
    assert.deepEqual(modes, { Text1: 'decimal', Text2: 'decimal', Text3: 'decimal', Text4: '', Text5: 'decimal',
                              Text6: '', Text7: '', Text8: 'decimal', Text9: '' });
    // Whatever a keyboard or an input method sends still arrives: blanks, a unit, full-width digits.
    await typeByHand(page, screens[0], 1, ' 100 g');
    await page.$eval(field(2), (input) => { input.value = '１０'; });
    await typeByHand(page, screens[0], 3, '98');
    await press(page, screens[0], control(MAIN, 'Command1'));
    assert.equal((await fieldTexts(page)).Text4, results[4]);
    assert.equal(await page.$eval(field(4), (input) => input.readOnly), false);
    await page.close();
});

test('turning the phone keeps every field\'s text and the focus', async (t) => {
    const upright = screens[0].viewport;
    if (skipWithoutScreen(t, upright)) return;
    const page = await openCalculator(browser, upright);
    for (const [n, text] of Object.entries(example)) await typeByHand(page, screens[0], n, text);
    await press(page, screens[0], control(MAIN, 'Command1'));
    await press(page, screens[0], field(5));
    const before = await fieldTexts(page);
    for (const viewport of [{ ...upright, width: upright.height, height: upright.width }, upright]) {
        await page.setViewport(viewport);
        assert.deepEqual(await fieldTexts(page), before);
        assert.equal(await focusedName(page), 'Text5');
        const { pageWidth, viewWidth } = await measure(page);
        assert.ok(pageWidth <= viewWidth);
    }
    await page.close();
});
