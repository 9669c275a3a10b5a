// Quorel.html against a bare page with the same controls and no WebAssembly: time from opening
// to the first paint, and a button press in the page against the same press in the native form
// (and, to tell the parts apart, the same in-memory press in WebAssembly under Node, and the same
// press in the calculator's Qt face).
// Run by bench/web/run.sh, from the build tree's web/tests (for its Node packages).
//   node page_bench.mjs <Quorel.html> <native_press> <native_press.js> <qt_press> [rounds]
import { execFileSync } from 'node:child_process';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { firstPaint, median, writeBarePage } from './bare_page.mjs';

const [pagePath, nativePress, wasmPress, qtPress, roundsText] = process.argv.slice(2);
process.env.QUOREL_PAGE = resolve(pagePath);
const { MAIN, control, fill, launchBrowser, openCalculator, workedExample } = await import('./support/page.mjs');
const rounds = Number(roundsText ?? 30);

const browser = await launchBrowser();

const barePath = await writeBarePage(browser, openCalculator);

async function paintOf(url) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    await page.goto(url, { waitUntil: 'load' });
    const time = await firstPaint(page);
    await page.close();
    return time;
}

const quorelPaints = [];
const barePaints = [];
for (let round = 0; round < rounds; ++round) {
    quorelPaints.push(await paintOf(pathToFileURL(process.env.QUOREL_PAGE).href));
    barePaints.push(await paintOf(pathToFileURL(barePath).href));
}

// A press in the page: a click on a button, the form in WebAssembly reading and writing the
// fields of the document; the four buttons of the worked example in turn. The press itself is
// timed between a listener that runs before the button's own and one that runs after it; the
// whole click, with Chromium's own dispatch of the event, is timed too.
const page = await openCalculator(browser);
await fill(page, workedExample.typed);
const buttons = workedExample.buttons.map((name) => control(MAIN, name));
const presses = 40000;
const inPage = await page.evaluate((selectors, count) => {
    const elements = selectors.map((s) => document.querySelector(s));
    // Each run is timed after as many clicks again, so that the WebAssembly runs as optimised code
    // (V8 starts it as baseline code and optimises it as it runs).
    // The same click on a button of the same window that runs nothing: what Chromium's dispatch
    // of the event through the document costs between the two listeners by itself.
    const idle = elements[0].parentElement.appendChild(document.createElement('button'));
    let pressed = 0;
    let handlerTime = 0;
    window.addEventListener('click', () => { pressed = performance.now(); }, true);
    window.addEventListener('click', () => { handlerTime += performance.now() - pressed; });
    const timed = (targets) => {
        for (let i = 0; i < count; ++i) targets[i % targets.length].click();
        handlerTime = 0;
        const started = performance.now();
        for (let i = 0; i < count; ++i) targets[i % targets.length].click();
        return { click: ((performance.now() - started) * 1e6) / count, press: (handlerTime * 1e6) / count };
    };
    const idleClick = timed([idle]);
    idle.remove();
    return { ...timed(elements), idle: idleClick.press };
}, buttons, presses);
const result = await page.$eval(control(MAIN, 'Text4'), (f) => f.value);
await browser.close();
if (result !== workedExample.results[4]) throw new Error(`the page computed ${result}`);

const nativeRuns = Array.from({ length: 5 }, () => Number(execFileSync(nativePress, ['400000']).toString()));
const nativePressNs = median(nativeRuns);
const wasmRuns = Array.from({ length: 5 }, () => Number(execFileSync(process.execPath, [wasmPress, '400000']).toString()));
const wasmPressNs = median(wasmRuns);
const qtRuns = Array.from({ length: 5 }, () => Number(execFileSync(qtPress, ['100000'], {
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: ['ignore', 'pipe', 'ignore'],
}).toString()));
const qtPressNs = median(qtRuns);

const quorelPaint = median(quorelPaints);
const barePaint = median(barePaints);
console.log(`first paint, median of ${rounds}: Quorel.html ${quorelPaint.toFixed(1)} ms, bare page ${barePaint.toFixed(1)} ms, ` +
            `ratio ${(quorelPaint / barePaint).toFixed(2)} (goal <= 1.3)`);
console.log(`button press: page ${(inPage.press / 1000).toFixed(2)} us, native form ${(nativePressNs / 1000).toFixed(2)} us, ` +
            `ratio ${(inPage.press / nativePressNs).toFixed(2)} (goal <= 3); ` +
            `the whole click in the page, with Chromium's dispatch, ${(inPage.click / 1000).toFixed(2)} us`);
const ownPart = inPage.press - inPage.idle;
console.log(`the press less the same dispatch to a button that runs nothing (${(inPage.idle / 1000).toFixed(2)} us): ` +
            `${(ownPart / 1000).toFixed(2)} us, ratio ${(ownPart / nativePressNs).toFixed(2)}`);
console.log(`the form's in-memory press in WebAssembly under Node (no page, no DOM): ${(wasmPressNs / 1000).toFixed(2)} us, ` +
            `ratio ${(wasmPressNs / nativePressNs).toFixed(2)}; the page's press less it and the dispatch: ` +
            `${((ownPart - wasmPressNs) / 1000).toFixed(2)} us`);
console.log(`for reference, the same press in the Qt face (QPushButton::click, QLineEdit fields, offscreen): ` +
            `${(qtPressNs / 1000).toFixed(2)} us; the page's press is ${(inPage.press / qtPressNs).toFixed(2)} times that`);
