// A browser below the page's floor, or one that will not compile its WebAssembly (a browser whose
// policy rules predate 'wasm-unsafe-eval', such as Safari 15), is told the calculator cannot run
// there, instead of being left a calculator that never answers.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser, pageUrl, skipWithout } from './support/page.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

// What the browser lacks, made so before the page's first line runs.
const lacking = [
    ['WebAssembly', () => { delete globalThis.WebAssembly; }],
    ['the dialog element', () => { delete globalThis.HTMLDialogElement; }],
    ['inert', () => { delete HTMLElement.prototype.inert; }],
    ['a policy that lets WebAssembly compile', () => {
        WebAssembly.compile = () => Promise.reject(new WebAssembly.CompileError('refused by the policy'));
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
