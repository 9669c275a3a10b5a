// The menu bar, the hand-off to the About window and back, every way to end and starting afresh,
// and what the page must never do: load anything after it has loaded, store anything, or fail
// an accessibility check.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { ABOUT, MAIN, cannotCheck, control, fieldTexts, focusedName, hasEnded, launchBrowser,
         menuItem, openCalculator, pageUrl, pressWith, skipWithoutScreen, typeInto, visibleWindows } from './support/page.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

const filled = { Text1: '100', Text2: '10', Text3: '98', Text4: '10.2040816326531', Text5: '1.84',
                 Text6: 'typed', Text7: '甲乙', Text8: '1', Text9: '' };

async function fillAll(page) {
    for (const [name, text] of Object.entries(filled)) await typeInto(page, Number(name.slice(4)), text);
}

async function chooseMenu(page, menu, item) {
    await page.click(menuItem(menu));
    if (item) await page.click(menuItem(item));
}

test('the menu bar: its entries, greyed items greyed and inert, 新建 and 浓溶液配稀溶液', async () => {
    const page = await openCalculator(browser);
    const bar = await page.$$eval('[role="menubar"] > li > [role="menuitem"]', (items) => items.map((i) => i.textContent));
    assert.deepEqual(bar, ['文件(F)', '选项(O)', '关于(A)']);
    const items = await page.$$eval('[role="menu"] [role="menuitem"]', (list) =>
        list.map((i) => [i.dataset.name, i.getAttribute('aria-disabled') === 'true']));
    assert.deepEqual(items, [['新建', false], ['退出', false], ['浓溶液配稀溶液', false], ['稀溶液浓缩', true], ['浓稀溶液混合', true]]);
    assert.equal(await page.$eval(menuItem('新建'), (i) => i.textContent), '新建(N)Ctrl+N');
    await fillAll(page);
    // A greyed item does nothing when chosen: the menu stays open, as on the desktop.
    for (const item of ['稀溶液浓缩', '浓稀溶液混合']) {
        await chooseMenu(page, '选项', item);
        assert.equal(await page.$eval(menuItem(item), (i) => i.closest('[role="menu"]').hidden), false);
        await page.keyboard.press('Escape');
        await page.keyboard.press('Escape');
        assert.deepEqual(await fieldTexts(page), filled);
    }
    await chooseMenu(page, '选项', '浓溶液配稀溶液');
    assert.equal(await page.$eval(menuItem('浓溶液配稀溶液'), (i) => i.closest('[role="menu"]').hidden), true);
    assert.deepEqual(await fieldTexts(page), filled);
    assert.deepEqual(await visibleWindows(page), [MAIN]);
    const grey = await page.$eval(menuItem('稀溶液浓缩'), (i) => getComputedStyle(i).color);
    const black = await page.$eval(menuItem('浓溶液配稀溶液'), (i) => getComputedStyle(i).color);
    assert.notEqual(grey, black);
    await chooseMenu(page, '文件', '新建');
    assert.deepEqual(Object.values(await fieldTexts(page)), Array(9).fill(''));
});

test('the menu bar is reached with Alt and its access keys and walked with the arrows', async () => {
    const page = await openCalculator(browser);
    await pressWith(page, 'KeyO', 'Alt');
    assert.equal(await focusedName(page), '浓溶液配稀溶液');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focusedName(page), '稀溶液浓缩');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await focusedName(page), '新建');
    await page.keyboard.press('Escape');
    assert.equal(await focusedName(page), '文件');
    await page.keyboard.press('Escape');
    assert.equal(await focusedName(page), 'Text1');
    await pressWith(page, 'KeyA', 'Alt');
    assert.deepEqual(await visibleWindows(page), [ABOUT]);
});

for (const [way, goBack] of [
    ['返回', (page) => page.click(control(ABOUT, 'Command1'))],
    ['its close box', (page) => page.click(`[data-window="${ABOUT}"] [data-name="close"]`)],
    ['Escape', (page) => page.keyboard.press('Escape')],
]) {
    test(`About and back with ${way}, twice, keeps every field and the focus`, async () => {
        const page = await openCalculator(browser);
        assert.equal(await page.$$eval(`[data-window="${ABOUT}"]`, (w) => w.length), 0, 'made on first use');
        await fillAll(page);
        await page.focus(control(MAIN, 'Text5'));
        for (let round = 0; round < 2; ++round) {
            await chooseMenu(page, '关于');
            assert.deepEqual(await visibleWindows(page), [ABOUT]);
            assert.equal(await focusedName(page), 'Command1');
            await goBack(page);
            assert.deepEqual(await visibleWindows(page), [MAIN]);
            assert.equal(await page.title(), 'Quorel计算助手（最简版）');
            assert.deepEqual(await fieldTexts(page), filled);
        }
        assert.equal(await page.$$eval(`[data-window="${ABOUT}"]`, (w) => w.length), 1);
        assert.equal(await hasEnded(page), false);
    });
}

// Every way the program ends; each leaves the plain page that says so.
const endings = [
    ['退   出', (page) => page.click(control(MAIN, 'Command4'))],
    ['文件 → 退出', (page) => chooseMenu(page, '文件', '退出')],
    ['the calculator\'s close box', (page) => page.click(`[data-window="${MAIN}"] [data-name="close"]`)],
    ['Ctrl+X on a button', async (page) => {
        await page.focus(control(MAIN, 'Command2'));
        await pressWith(page, 'KeyX', 'Control');
    }],
    ['退出 on the About window', async (page) => {
        await chooseMenu(page, '关于');
        await page.click(control(ABOUT, 'Command2'));
    }],
    ['the close box after About was left', async (page) => {
        await chooseMenu(page, '关于');
        await page.click(control(ABOUT, 'Command1'));
        await page.click(`[data-window="${MAIN}"] [data-name="close"]`);
    }],
];
for (const [way, end] of endings) {
    test(`${way} ends the program, and it starts again afresh`, async () => {
        const page = await openCalculator(browser);
        await fillAll(page);
        await end(page);
        assert.equal(await hasEnded(page), true);
        assert.match(await page.$eval('#ended', (e) => e.textContent), /已结束/);
        assert.equal(await page.$eval('#restart', (b) => b === document.activeElement), true);
        await page.click('#restart');
        await page.waitForSelector('html[data-ready]');
        assert.deepEqual(await visibleWindows(page), [MAIN]);
        assert.deepEqual(Object.values(await fieldTexts(page)), Array(9).fill(''));
        assert.equal(await focusedName(page), 'Text1');
        await typeInto(page, 1, '100');
        await typeInto(page, 2, '10');
        await typeInto(page, 3, '98');
        await page.click(control(MAIN, 'Command1'));
        assert.equal((await fieldTexts(page)).Text4, '10.2040816326531');
        assert.deepEqual(page.problems, []);
    });
}

test('nothing is requested after load and nothing is stored', async (t) => {
    const page = await browser.newPage();
    const requests = [];
    const watched = !cannotCheck(t, 'requests', 'what the page requests is');
    if (watched) page.on('request', (request) => requests.push(request.url()));
    await page.goto(pageUrl);
    await page.waitForSelector('html[data-ready]');
    if (watched) assert.deepEqual(requests, [pageUrl], 'the page itself only');
    await typeInto(page, 1, '100');
    await typeInto(page, 2, '10');
    await typeInto(page, 3, '98');
    await page.click(control(MAIN, 'Command1'));
    await chooseMenu(page, '关于');
    await page.click(control(ABOUT, 'Command2'));
    await page.click('#restart');
    await page.waitForSelector('html[data-ready]');
    if (watched) assert.deepEqual(requests, [pageUrl]);
    const stored = await page.evaluate(async () => ({
        cookies: document.cookie,
        local: localStorage.length,
        session: sessionStorage.length,
        databases: (await indexedDB.databases()).length,
        caches: (await caches.keys().catch(() => [])).length,
    }));
    assert.deepEqual(stored, { cookies: '', local: 0, session: 0, databases: 0, caches: 0 });
    const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content);
    assert.match(policy, /default-src 'none'/);
    assert.doesNotMatch(policy, /'unsafe-inline'|'unsafe-eval'|https?:|\*/);
});

test('the policy refuses anything the page did not bring', async () => {
    const page = await openCalculator(browser);
    const refused = await page.evaluate(() => new Promise((resolve) => {
        document.addEventListener('securitypolicyviolation', (e) => resolve(e.violatedDirective), { once: true });
        const img = document.createElement('img');
        img.src = 'https://example.com/x.png';
        document.body.append(img);
    }));
    assert.match(refused, /img-src|default-src/);
});

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The page opened again with axe in it. The page's policy allows only its own script; axe is added
// through the DevTools protocol, which the policy does not govern.
async function addAxe(page) {
    await page.setBypassCSP(true);
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    await page.evaluate(axeSource);
}

// What axe finds on the page as it is now.
function axeFindings(page) {
    return page.evaluate(async () => {
        const result = await axe.run(document, { resultTypes: ['violations'] });
        return result.violations.map((v) => ({ id: v.id, impact: v.impact, nodes: v.nodes.length }));
    });
}

// The designed window, and the one-column layout a phone gets.
for (const [layout, viewport] of [['the designed window', { width: 800, height: 600 }],
                                  ['a phone', { width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true }]]) {
    test(`axe finds nothing serious or critical on the calculator, the menu, a message and About: ${layout}`, async (t) => {
        if (skipWithoutScreen(t, viewport)) return;
        const page = await openCalculator(browser, viewport);
        await addAxe(page);
        const findings = [];
        findings.push(...await axeFindings(page));
        await page.click(menuItem('文件'));
        findings.push(...await axeFindings(page));
        await page.keyboard.press('Escape');
        await page.click(control(MAIN, 'Command1'));
        findings.push(...await axeFindings(page));
        await page.click('#message-ok');
        await chooseMenu(page, '关于');
        findings.push(...await axeFindings(page));
        console.log('axe findings:', JSON.stringify(findings));
        assert.deepEqual(findings.filter((f) => f.impact === 'serious' || f.impact === 'critical'), []);
    });
}
