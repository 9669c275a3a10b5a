// Both windows as drawn: every control at its place (twips at 96 dpi, 15 twips a pixel) with its
// caption, the titles and the focus order both ways (other screens: touch.test.mjs).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { ABOUT, MAIN, control, focusedName, launchBrowser, menuItem, openCalculator, pageUrl,
         skipWithout } from './support/page.mjs';

// name, caption (null for a field), left, top, width, height in twips.
const mainControls = [
    ['Label16', '浓 溶 液 配 稀 溶 液', 1680, 120, 3495, 375],
    ['配制溶液质量', '配制溶液质量：', 120, 600, 1695, 255],
    ['Text1', null, 1920, 600, 1215, 375],
    ['克', '克', 3240, 600, 375, 375],
    ['Label1', '浓度：', 3720, 600, 735, 255],
    ['Text2', null, 4440, 600, 1095, 375],
    ['Label2', '%', 5640, 600, 255, 375],
    ['浓溶液', '浓溶液：', 120, 1080, 975, 255],
    ['浓度', '浓度：', 1080, 1080, 735, 255],
    ['Text3', null, 1920, 1080, 975, 375],
    ['百分号', '%', 3000, 1080, 255, 375],
    ['Label3', '所需质量：', 3240, 1080, 1215, 375],
    ['Text4', null, 4440, 1080, 1095, 375],
    ['Label4', '克', 5640, 1080, 255, 375],
    ['Label7', '3', 3720, 1440, 255, 255],
    ['Label5', '密度：', 1080, 1560, 735, 255],
    ['Text5', null, 1920, 1560, 975, 375],
    ['Label6', '克/厘米', 2880, 1560, 975, 375],
    ['Label8', '体积：', 3840, 1560, 735, 255],
    ['Text6', null, 4440, 1560, 1095, 375],
    ['Label9', 'ml', 5640, 1560, 375, 255],
    ['Command1', '浓溶液质量计算', 1200, 2040, 1815, 375],
    ['体积计算', '浓溶液体积计算', 3360, 2040, 1815, 375],
    ['Text7', null, 2280, 2520, 1215, 390],
    ['Command2', '溶剂质量计算', 4200, 2520, 1695, 375],
    ['溶质', '溶 剂：', 120, 2640, 855, 375],
    ['所需质量', '所需质量：', 1080, 2640, 1215, 255],
    ['Label10', '克', 3600, 2640, 255, 255],
    ['Text8', null, 1800, 3000, 1215, 375],
    ['Label15', '3', 3960, 3000, 255, 255],
    ['溶剂体积计算', '溶剂体积计算', 4200, 3000, 1695, 375],
    ['Label11', '密度：', 1080, 3120, 735, 255],
    ['Label12', '克/厘米', 3120, 3120, 975, 255],
    ['Text9', null, 1800, 3480, 1215, 375],
    ['Label14', 'ml', 3120, 3480, 255, 255],
    ['Command4', '退   出', 4200, 3480, 1695, 375],
    ['Label13', '体积：', 1080, 3600, 855, 375],
];
const aboutControls = [
    ['Label2', 'Quorel v1.1(最简版)', 1080, 120, 2655, 255],
    ['关于', null, 240, 600, 4095, 735],
    ['Label1', null, 480, 1560, 3855, 255],
    ['Label3', null, 720, 2040, 3135, 255],
    ['Command1', '返回', 480, 2520, 1335, 495],
    ['Command2', '退出', 2520, 2520, 1335, 495],
];
const mainFocusOrder = ['Text1', 'Text2', 'Text3', 'Command1', 'Text4', 'Text5', 'Text6', '体积计算',
                        'Text7', 'Command2', 'Text8', 'Text9', '溶剂体积计算', 'Command4'];

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

const pixels = (twips) => Math.round(twips / 15);

async function boxes(page, window) {
    return page.$$eval(`[data-window="${window}"] .client [data-name]`, (nodes) => {
        const client = nodes[0].closest('.client').getBoundingClientRect();
        return Object.fromEntries(nodes.map((n) => {
            const r = n.getBoundingClientRect();
            return [n.dataset.name, { left: r.left - client.left, top: r.top - client.top, width: r.width,
                                      height: r.height, text: n.tagName === 'INPUT' ? null : n.textContent,
                                      name: n.getAttribute('aria-label') }];
        }));
    });
}

function assertPlaced(shown, rows, scale = 1) {
    for (const [name, caption, left, top, width, height] of rows) {
        const box = shown[name];
        assert.ok(box, `${name} is on the window`);
        for (const [key, twips] of Object.entries({ left, top, width, height }))
            assert.ok(Math.abs(box[key] - pixels(twips) * scale) < 0.6, `${name} ${key} ${box[key]} != ${pixels(twips) * scale}`);
        if (caption !== null) assert.equal(box.text, caption, `caption of ${name}`);
    }
}

test('every control of the calculator at its place with its caption, under its title', async () => {
    const page = await openCalculator(browser);
    const shown = await boxes(page, MAIN);
    assert.equal(Object.keys(shown).length, mainControls.length);
    assertPlaced(shown, mainControls);
    assert.equal(await page.title(), 'Quorel计算助手（最简版）');
    const client = await page.$eval(`[data-window="${MAIN}"] .client`, (c) => [c.offsetWidth, c.offsetHeight]);
    assert.deepEqual(client, [405, 274]);
    assert.deepEqual(page.problems, []);
});

test('the calculator is drawn before any script has run, and takes no input until the program runs', async (t) => {
    if (skipWithout(t, 'scripting')) return;
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    await page.setJavaScriptEnabled(false);
    await page.goto(pageUrl);
    assertPlaced(await boxes(page, MAIN), mainControls);
    assert.equal(await page.title(), 'Quorel计算助手（最简版）');
    assert.equal(await page.$eval('#desktop', (d) => d.inert), true);
    assert.equal(await page.$$eval(`[data-window="${ABOUT}"]`, (w) => w.length), 0);
});

test('a browser without WebAssembly is told the calculator cannot run there', async (t) => {
    if (skipWithout(t, 'preload')) return;
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; });
    await page.goto(pageUrl);
    await page.waitForSelector('#unavailable:not([hidden])');
    assert.equal(await page.$eval('#desktop', (d) => d.hidden), true);
    assert.match(await page.$eval('#unavailable', (n) => n.textContent), /无法运行/);
});

test('every control of the About window at its place with its caption, under its title', async () => {
    const page = await openCalculator(browser);
    await page.click(menuItem('关于'));
    const shown = await boxes(page, ABOUT);
    assert.equal(Object.keys(shown).length, 6);
    assertPlaced(shown, aboutControls);
    assert.match(shown.Label3.text, /^E-Mail:\S+@\S+$/);
    assert.match(shown['关于'].text, /^ {4}本软件/);
    assert.equal(await page.title(), '软件简介');
    assert.equal(await focusedName(page), 'Command1');
});

test('every control has an accessible name containing what it shows', async () => {
    const page = await openCalculator(browser);
    const named = await page.$$eval('input, button', (nodes) => nodes.map((n) => ({
        shows: n.tagName === 'BUTTON' ? n.textContent : '',
        name: n.getAttribute('aria-label') ?? n.textContent,
    })));
    for (const { shows, name } of named) {
        assert.ok(name.length > 0, 'has a name');
        assert.ok(name.includes(shows.replace('×', '')) || shows === '×', `"${name}" contains "${shows}"`);
    }
});

test('Tab walks the focus order forwards and Shift+Tab backwards, round the window', async () => {
    const page = await openCalculator(browser);
    assert.equal(await focusedName(page), 'Text1');
    const forwards = [];
    for (let i = 0; i < mainFocusOrder.length; ++i) {
        await page.keyboard.press('Tab');
        forwards.push(await focusedName(page));
    }
    assert.deepEqual(forwards, [...mainFocusOrder.slice(1), 'Text1']);
    const backwards = [];
    for (let i = 0; i < mainFocusOrder.length; ++i) {
        await page.keyboard.down('Shift');
        await page.keyboard.press('Tab');
        await page.keyboard.up('Shift');
        backwards.push(await focusedName(page));
    }
    assert.deepEqual(backwards, [...mainFocusOrder].reverse());
});
