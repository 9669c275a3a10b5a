// A browser below the page's floor, or one where the program does not start, is told the
// calculator cannot run there, instead of being left a calculator that never answers. A browser
// whose policy rules refuse WebAssembly (Safari before 16 knows no 'wasm-unsafe-eval') runs the
// program translated to JavaScript.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { MAIN, control, doWorkedExample, fieldTexts, fill, hasEnded, launchBrowser, messageShown,
         openCalculator, pageUrl, refusingWebAssembly, skipWithout, workedExample } from './support/page.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

// What the browser lacks, made so before the page's first line runs.
const lacking = [
    ['WebAssembly', () => { delete globalThis.WebAssembly; }],
    ['the dialog element', () => { delete globalThis.HTMLDialogElement; }],
    ['inert', () => { delete HTMLElement.prototype.inert; }],
    ['WebAssembly that compiles', () => {
        WebAssembly.compile = () => Promise.reject(new WebAssembly.CompileError('does not compile'));
    }],
    ['WebAssembly that instantiates', () => {
        WebAssembly.instantiate = () => Promise.reject(new WebAssembly.LinkError('does not instantiate'));
    }],
];
for (const [what, take] of lacking) {
    test(`a browser without ${what} gets the notice and no calculator`, async (t) => {
        if (skipWithout(t, 'preload')) return;
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(take);
        await page.goto(pageUrl);
        await page.waitForSelector('#unavailable:not([hidden])');
        assert.equal(await page.$eval('#desktop', (d) => d.hidden), true);
        assert.match(await page.$eval('#unavailable', (n) => n.textContent), /无法运行/);
        assert.equal(await page.$eval('html', (h) => h.dataset.ready), undefined);
        await page.close();
    });
}

test('a start again that fails gets the notice too', async (t) => {
    if (skipWithout(t, 'preload')) return;
    const page = await browser.newPage();
    // The first instance is made; every later one is refused.
    await page.evaluateOnNewDocument(() => {
        const instantiate = WebAssembly.instantiate;
        let made = 0;
        WebAssembly.instantiate = (...args) => (made++ === 0 ? instantiate(...args)
            : Promise.reject(new WebAssembly.LinkError('does not instantiate')));
    });
    await page.goto(pageUrl);
    await page.waitForSelector('html[data-ready]');
    await page.click(control(MAIN, 'Command4'));
    assert.equal(await hasEnded(page), true);
    await page.click('#restart');
    await page.waitForSelector('#unavailable:not([hidden])');
    assert.equal(await page.$eval('#desktop', (d) => d.hidden), true);
    await page.close();
});

function pageRefusingWebAssembly() {
    const folder = mkdtempSync(join(tmpdir(), 'quorel-no-wasm-'));
    writeFileSync(join(folder, 'Quorel.html'), refusingWebAssembly(readFileSync(fileURLToPath(pageUrl), 'utf8')));
    return { url: pathToFileURL(join(folder, 'Quorel.html')).href, remove: () => rmSync(folder, { recursive: true }) };
}

test('where the policy refuses WebAssembly, the program translated to JavaScript calculates, answers and starts again', async (t) => {
    const refusing = pageRefusingWebAssembly();
    t.after(refusing.remove);
    const page = await openCalculator(browser, undefined, refusing.url);
    assert.equal(await page.evaluate(() => typeof window.QuorelModuleInJavaScript), 'function');

    await doWorkedExample(page);
    const texts = await fieldTexts(page);
    for (const [n, text] of Object.entries(workedExample.results)) assert.equal(texts[`Text${n}`], text);

    await fill(page, { 1: '' });
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await messageShown(page)).text, '请输入所需配制溶液质量!');
    await page.click('#message-ok');

    await page.click(control(MAIN, 'Command4'));
    assert.equal(await hasEnded(page), true);
    await page.click('#restart');
    await page.waitForSelector('html[data-ready]');
    assert.ok(Object.values(await fieldTexts(page)).every((text) => text === ''));
    await fill(page, workedExample.typed);
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await fieldTexts(page)).Text4, workedExample.results[4]);
    // What the browser reports is its policy refusing WebAssembly, and nothing else.
    for (const problem of page.problems) assert.match(problem, /WebAssembly|wasm|unsafe-eval|Content.Security.Policy/i);
    await page.close();
});

test('where WebAssembly is allowed, the translated program never runs', async () => {
    const page = await openCalculator(browser);
    assert.equal(await page.evaluate(() => typeof window.QuorelModuleInJavaScript), 'undefined');
    assert.deepEqual(page.problems, []);
    await page.close();
});
