// On a phone-class processor (Chromium's CPU throttled 6 times): the time from opening Quorel.html
// until the calculator answers a press, against the bare page's first paint, side by side in one
// run; where the time between Quorel.html's first paint and its answering goes; and when the program
// translated to JavaScript answers, where a browser refuses WebAssembly.
// Run by bench/web/run.sh, from the build tree's web/tests (for its Node packages).
//   node startup_bench.mjs <Quorel.html> [rounds]
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { firstPaint, median, writeBarePage } from './bare_page.mjs';

const [pagePath, roundsText] = process.argv.slice(2);
process.env.QUOREL_PAGE = resolve(pagePath);
const { launchBrowser, openCalculator, refusingWebAssembly } = await import('./support/page.mjs');
const rounds = Number(roundsText ?? 30);
const throttling = 6;

const browser = await launchBrowser();
const barePath = await writeBarePage(browser, openCalculator);

// A copy of the page that marks each step of its start on the performance timeline (its policy
// removed, since the marks change the script the policy names by its hash).
// Each statement with the marks put before and after it.
const steps = [
    ['const MAIN = 0;', 'script', null],
    ['    compiled ??= WebAssembly.compile(moduleBytes());', 'reading', null],
    ['    const module = await compiled;', null, 'compiled'],
    ['    quorel._quorel_start();', 'starting', 'started'],
];
let marked = readFileSync(process.env.QUOREL_PAGE, 'utf8').replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, '');
for (const [statement, before, after] of steps) {
    if (!marked.includes(statement)) throw new Error(`startup_bench.mjs: the page's script no longer has: ${statement}`);
    const mark = (name) => (name ? `performance.mark('${name}');` : '');
    marked = marked.replace(statement, `${mark(before)}\n${statement}\n${mark(after)}`);
}
// Reading the bytes and compiling them, apart.
marked = marked.replace('WebAssembly.compile(moduleBytes());\n',
                        "WebAssembly.compile((() => { const b = moduleBytes(); performance.mark('read'); return b; })());\n");
const scratch = mkdtempSync(join(tmpdir(), 'quorel-marked-'));
const markedPath = join(scratch, 'marked.html');
writeFileSync(markedPath, marked);
// A copy whose policy refuses WebAssembly: the program translated to JavaScript runs.
const refusingPath = join(scratch, 'refusing.html');
writeFileSync(refusingPath, refusingWebAssembly(readFileSync(process.env.QUOREL_PAGE, 'utf8')));

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


async function quorel(path = process.env.QUOREL_PAGE) {
    const page = await throttledPage();
    await page.goto(pathToFileURL(path).href, { waitUntil: 'load' });
    await page.waitForSelector('html[data-ready]');
    const times = { paint: await firstPaint(page), answering: await page.evaluate(() => window.quorelAnswering) };
    await page.close();
    return times;
}

// Where the time between the paint and the answering goes, on the marked copy.
async function parts() {
    const page = await throttledPage();
    await page.goto(pathToFileURL(markedPath).href, { waitUntil: 'load' });
    await page.waitForSelector('html[data-ready]');
    const times = await page.evaluate(() => {
        const at = (name) => performance.getEntriesByName(name)[0].startTime;
        return {
            parsing: at('script') - performance.getEntriesByName('first-contentful-paint')[0].startTime,
            reading: at('read') - at('reading'),
            compiling: at('compiled') - at('read'),
            instantiating: at('starting') - at('compiled'),
            starting: at('started') - at('starting'),
        };
    });
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
    runs.push({ ...await quorel(), ...await parts(), translated: (await quorel(refusingPath)).answering });
    barePaints.push(await bare());
}
await browser.close();

const of = (key) => median(runs.map((r) => r[key]));
const barePaint = median(barePaints);
console.log(`CPU throttled ${throttling}x, median of ${rounds}: Quorel.html paints at ${of('paint').toFixed(0)} ms and answers ` +
            `at ${of('answering').toFixed(0)} ms; the bare page paints at ${barePaint.toFixed(0)} ms; ` +
            `answering / bare paint ${(of('answering') / barePaint).toFixed(2)} (goal <= 1.2)`);
console.log(`between Quorel.html's paint and its answering, ${(of('answering') - of('paint')).toFixed(0)} ms (on a copy ` +
            `that marks each step): the rest of the page read after its paint ${of('parsing').toFixed(0)} ms, reading the ` +
            `embedded module's bytes ${of('reading').toFixed(0)} ms, compiling them ${of('compiling').toFixed(0)} ms, the ` +
            `loader and the instance ${of('instantiating').toFixed(0)} ms, the form's start (the first calls into the ` +
            `module, the fields emptied, the window shown) ${of('starting').toFixed(0)} ms`);
console.log(`where the policy refuses WebAssembly (Safari before 16), the program translated to JavaScript answers at ` +
            `${of('translated').toFixed(0)} ms`);
