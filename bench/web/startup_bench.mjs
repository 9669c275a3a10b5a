// On a phone-class processor (Chromium's CPU throttled 6 times): the time from opening Quorel.html
// until the calculator answers a press, against the bare page's first paint, side by side in one
// run; and where the time between Quorel.html's first paint and its answering goes.
// Run by bench/web/run.sh, from the build tree's web/tests (for its Node packages).
//   node startup_bench.mjs <Quorel.html> [rounds]
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { writeBarePage } from './bare_page.mjs';

const [pagePath, roundsText] = process.argv.slice(2);
process.env.QUOREL_PAGE = resolve(pagePath);
const { launchBrowser, openCalculator } = await import('./support/page.mjs');
const rounds = Number(roundsText ?? 30);
const throttling = 6;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await launchBrowser();
const barePath = await writeBarePage(browser, openCalculator);

async function throttledPage() {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttling });
    // The moment the program has started and answers a press (the page marks it data-ready).
    await page.evaluateOnNewDocument(() => {
        new MutationObserver(() => {
            if (document.documentElement?.dataset.ready) window.quorelAnswering ??= performance.now();
        }).observe(document, { attributes: true, attributeFilter: ['data-ready'], subtree: true });
    });
    return page;
}

const firstPaint = (page) => page.waitForFunction(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime).then((h) => h.jsonValue());

async function quorel() {
    const page = await throttledPage();
    await page.goto(pathToFileURL(process.env.QUOREL_PAGE).href, { waitUntil: 'load' });
    await page.waitForSelector('html[data-ready]');
    const times = { paint: await firstPaint(page), answering: await page.evaluate(() => window.quorelAnswering) };
    // The parts, one by one, on the same processor: reading the embedded module's bytes, and
    // compiling them.
    Object.assign(times, await page.evaluate(async () => {
        let started = performance.now();
        const text = atob(document.getElementById('module-bytes').textContent.trim());
        const bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
        const decode = performance.now() - started;
        started = performance.now();
        await WebAssembly.compile(bytes);
        return { decode, compile: performance.now() - started };
    }));
    await page.close();
    return times;
}

async function bare() {
    const page = await throttledPage();
    await page.goto(pathToFileURL(barePath).href, { waitUntil: 'load' });
    const paint = await firstPaint(page);
    await page.close();
    return paint;
}

const runs = [];
const barePaints = [];
for (let round = 0; round < rounds; ++round) {
    runs.push(await quorel());
    barePaints.push(await bare());
}
await browser.close();

const of = (key) => median(runs.map((r) => r[key]));
const barePaint = median(barePaints);
console.log(`CPU throttled ${throttling}x, median of ${rounds}: Quorel.html paints at ${of('paint').toFixed(0)} ms and answers ` +
            `at ${of('answering').toFixed(0)} ms; the bare page paints at ${barePaint.toFixed(0)} ms; ` +
            `answering / bare paint ${(of('answering') / barePaint).toFixed(2)} (goal <= 1.2)`);
console.log(`between Quorel.html's paint and its answering, ${(of('answering') - of('paint')).toFixed(0)} ms: reading the ` +
            `module's bytes ${of('decode').toFixed(1)} ms, compiling them ${of('compile').toFixed(1)} ms; the rest is ` +
            `the loader, the instance and the form's start, and waiting for the page's script to run`);
