// Opens the real Quorel.html from disk in a fresh browser of the engine QUOREL_ENGINE names
// (chromium, firefox or webkit) and gives the tests small helpers that act as a user would: click,
// type, press keys, read what is shown.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchWebKit } from './webdriver.mjs';

export const pageUrl = pathToFileURL(process.env.QUOREL_PAGE ?? 'build-web/Quorel.html').href;
export const MAIN = '主程序';
export const ABOUT = 'Form1';

export const engine = process.env.QUOREL_ENGINE ?? 'chromium';

// The narrowest page MiniBrowser's window gives, with its default theme.
const narrowestWindow = engine === 'webkit' ? 447 : 0;

// What a test may need that an engine's driver cannot give it. A test that needs one of these
// says so with skipWithout and leaves it out; everything else runs in every engine.
const lacking = {
    chromium: {},
    firefox: {
        touch: 'puppeteer over WebDriver BiDi emulates no touch screen in Firefox',
        scripting: 'puppeteer cannot turn a page\'s scripts off over WebDriver BiDi',
        requests: 'Firefox\'s WebDriver BiDi reports no requests of a page from file://',
        devtools: 'Firefox has no DevTools protocol (installability, offline mode)',
    },
    webkit: {
        touch: 'WebKitGTK\'s MiniBrowser has no touch or mobile emulation',
        scripting: 'WebDriver cannot turn a page\'s scripts off',
        preload: 'WebDriver classic runs no script before the page\'s own',
        devtools: 'WebKit has no DevTools protocol for a driver (installability, offline mode)',
        requests: 'WebDriver classic does not report the requests a page makes',
        narrow: `MiniBrowser's window does not go below about ${narrowestWindow} px wide`,
        zoom: 'MiniBrowser has no device pixel ratio but 1',
        undoKey: 'a Ctrl+Z sent over WebDriver does not reach WebKitGTK\'s undo',
        scriptedPaste: 'WebKit cuts text a script inserts into an <input> to the 524,288 characters it keeps before the page sees it (a real paste: paste.test.mjs)',
    },
}[engine];

// Skips the test when the engine lacks one of `needs`; the caller returns at once.
export function skipWithout(t, ...needs) {
    const missing = needs.find((need) => lacking[need]);
    if (missing) t.skip(`${engine}: ${lacking[missing]}`);
    return Boolean(missing);
}

// Skips a test whose screen the engine cannot give: a touch screen, one narrower than its
// window goes, a pixel ratio above 1.
export function skipWithoutScreen(t, viewport) {
    const needs = [viewport.hasTouch && 'touch', viewport.width < narrowestWindow && 'narrow', viewport.deviceScaleFactor > 1 && 'zoom'];
    return skipWithout(t, ...needs.filter(Boolean));
}

// For a part of a test the engine cannot do: says so, and the test goes on with the rest.
export function cannotCheck(t, need, what) {
    if (!lacking[need]) return false;
    t.diagnostic(`${engine}: ${what} not checked: ${lacking[need]}`);
    return true;
}

// Where puppeteer over WebDriver BiDi reads the tests' calls differently from Chromium's
// DevTools protocol, the page is given what the tests mean.
function adaptFirefoxPage(page) {
    const click = page.click.bind(page);
    page.click = (selector, options = {}) => click(selector, { count: options.clickCount, ...options });
    // WebDriver's key value for the keypad's Enter; puppeteer's BiDi keyboard knows no such name.
    for (const method of ['press', 'down', 'up']) {
        const send = page.keyboard[method].bind(page.keyboard);
        page.keyboard[method] = (key, ...rest) => send(key === 'NumpadEnter' ? '\uE007' : key, ...rest);
    }
    // Scripts evaluated over BiDi are not governed by the page's Content-Security-Policy.
    page.setBypassCSP = async () => {};
    return page;
}

// A browser on the X display (`onDisplay`) rather than headless shares that display's clipboard
// with other programs; WebKit's is always on the display.
export async function launchBrowser({ onDisplay = false } = {}) {
    if (engine === 'webkit') return launchWebKit(process.env.QUOREL_WEBKIT_DRIVER ?? 'WebKitWebDriver');
    if (engine === 'firefox') {
        const browser = await puppeteer.launch({
            browser: 'firefox',
            executablePath: process.env.QUOREL_FIREFOX ?? '/usr/bin/firefox-esr',
            headless: !onDisplay,
        });
        const newPage = browser.newPage.bind(browser);
        browser.newPage = async () => adaptFirefoxPage(await newPage());
        return browser;
    }
    const profile = mkdtempSync(join(tmpdir(), 'quorel-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.QUOREL_CHROMIUM ?? '/usr/bin/chromium',
        headless: !onDisplay,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               `--user-data-dir=${profile}`],
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        rmSync(profile, { recursive: true, force: true });
    };
    return browser;
}

// A page with the calculator started (Quorel.html, or the page at `url`), and everything it
// logged or failed at collected.
export async function openCalculator(browser, viewport = { width: 800, height: 600 }, url = pageUrl) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    // A WebDriver page watches for them from inside the page and keeps its own list.
    const problems = page.problems ?? [];
    if (!page.problems) {
        page.on('pageerror', (error) => problems.push(String(error)));
        page.on('console', (message) => {
            if (message.type() === 'error') problems.push(message.text());
        });
    }
    await page.goto(url);
    await page.waitForSelector('html[data-ready]');
    page.problems = problems;
    return page;
}

// The page's text with its policy as a browser that knows no 'wasm-unsafe-eval' (Safari before 16)
// reads it: there every engine refuses WebAssembly, and the program translated to JavaScript runs.
export function refusingWebAssembly(html) {
    const refusing = html.replace(" 'wasm-unsafe-eval'", '');
    if (refusing === html) throw new Error('The page\'s policy does not name \'wasm-unsafe-eval\'');
    return refusing;
}

// The worked example: what is typed (by field number) and what each of the four buttons writes.
export const workedExample = {
    typed: { 1: '100', 2: '10', 3: '98', 5: '1.84', 8: '1' },
    // The calculation buttons, each pressed once, in the window's order.
    buttons: ['Command1', '体积计算', 'Command2', '溶剂体积计算'],
    results: { 4: '10.2040816326531', 6: '5.54569653948536', 7: '89.7959183673469', 9: '89.7959183673469' },
};

// The worked example typed, then each of its four buttons clicked once.
export async function doWorkedExample(page) {
    await fill(page, workedExample.typed);
    for (const button of workedExample.buttons) await page.click(control(MAIN, button));
}

// `key` pressed with `modifiers` held down, as a hand does it.
export async function pressWith(page, key, ...modifiers) {
    for (const modifier of modifiers) await page.keyboard.down(modifier);
    await page.keyboard.press(key);
    for (const modifier of [...modifiers].reverse()) await page.keyboard.up(modifier);
}

export const control = (window, name) => `[data-window="${window}"] .client [data-name="${name}"]`;
export const field = (n) => control(MAIN, `Text${n}`);
export const menuItem = (name) => `[role="menuitem"][data-name="${name}"]`;

export async function typeInto(page, n, text) {
    await page.click(field(n), { clickCount: 3 });
    await page.keyboard.press('Backspace');
    if (text) await page.keyboard.type(text);
}

export async function fill(page, texts) {
    for (const [n, text] of Object.entries(texts)) await typeInto(page, Number(n), text);
}

export async function fieldTexts(page) {
    return page.$$eval(`[data-window="${MAIN}"] [data-field]`, (inputs) =>
        Object.fromEntries(inputs.map((i) => [i.dataset.name, i.value])));
}

export async function visibleWindows(page) {
    return page.$$eval('section.window', (s) => s.filter((w) => !w.hidden).map((w) => w.dataset.window));
}

export async function messageShown(page) {
    return page.evaluate(() => {
        const dialog = document.getElementById('message');
        return {
            open: dialog.open,
            modal: dialog.matches(':modal'),
            title: document.getElementById('message-title').textContent,
            text: document.getElementById('message-text').textContent,
            buttons: [...dialog.querySelectorAll('button')].map((b) => b.textContent),
            focused: document.activeElement?.id ?? '',
        };
    });
}

export async function focusedName(page) {
    return page.evaluate(() => document.activeElement?.dataset?.name ?? document.activeElement?.id ?? '');
}

export async function hasEnded(page) {
    return page.evaluate(() => !document.getElementById('ended').hidden &&
        document.querySelectorAll('section.window').length === 0);
}
