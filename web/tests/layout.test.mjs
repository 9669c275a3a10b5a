// Both windows as drawn, checked against the form's tables: every control at its place with its
// caption, the titles and the focus order both ways (other screens: touch.test.mjs).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { ABOUT, MAIN, focusedName, launchBrowser, menuItem, openCalculator, pageUrl,
         pressWith, skipWithout } from './support/page.mjs';

// The form's tables, as the markup tool wrote them when the page was built: each window's
// controls with their captions and places in CSS pixels, and its focus order.
const tables = JSON.parse(readFileSync(process.env.QUOREL_TABLES ?? 'build-web/web/tables.json', 'utf8'));
const table = (name) => tables.find((t) => t.name === name);
const mainControls = table(MAIN).controls;
const aboutControls = table(ABOUT).controls;
const mainFocusOrder = table(MAIN).focusOrder;

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

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

function assertPlaced(shown, rows) {
    for (const { name, kind, caption, ...place } of rows) {
        const box = shown[name];
        assert.ok(box, `${name} is on the window`);
        for (const [key, pixels] of Object.entries(place))
            assert.ok(Math.abs(box[key] - pixels) < 0.6, `${name} ${key} ${box[key]} != ${pixels}`);
        if (kind !== 'field') assert.equal(box.text, caption, `caption of ${name}`);
    }
}

test('every control of the calculator at its place with its caption, under its title', async () => {
    const page = await openCalculator(browser);
    const shown = await boxes(page, MAIN);
    assert.equal(Object.keys(shown).length, mainControls.length);
    assertPlaced(shown, mainControls);
    assert.equal(await page.title(), table(MAIN).title);
    const client = await page.$eval(`[data-window="${MAIN}"] .client`, (c) => [c.offsetWidth, c.offsetHeight]);
    assert.deepEqual(client, [table(MAIN).width, table(MAIN).height]);
    assert.deepEqual(page.problems, []);
});

test('the calculator is drawn before any script has run, and takes no input until the program runs', async (t) => {
    if (skipWithout(t, 'scripting')) return;
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    await page.setJavaScriptEnabled(false);
    await page.goto(pageUrl);
    assertPlaced(await boxes(page, MAIN), mainControls);
    assert.equal(await page.title(), table(MAIN).title);
    assert.equal(await page.$eval('#desktop', (d) => d.inert), true);
    assert.equal(await page.$$eval(`[data-window="${ABOUT}"]`, (w) => w.length), 0);
});

test('every control of the About window at its place with its caption, under its title', async () => {
    const page = await openCalculator(browser);
    await page.click(menuItem('关于'));
    const shown = await boxes(page, ABOUT);
    assert.equal(Object.keys(shown).length, aboutControls.length);
    assertPlaced(shown, aboutControls);
    assert.match(shown.Label3.text, /^E-Mail:\S+@\S+$/);
    assert.match(shown['关于'].text, /^ {4}本软件/);
    assert.equal(await page.title(), table(ABOUT).title);
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
        await pressWith(page, 'Tab', 'Shift');
        backwards.push(await focusedName(page));
    }
    assert.deepEqual(backwards, [...mainFocusOrder].reverse());
});
