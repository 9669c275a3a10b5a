// Opens the real Quorel.html from disk in a fresh headless Chromium and gives the tests small
// helpers that act as a user would: click, type, press keys, read what is shown.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const pageUrl = pathToFileURL(process.env.QUOREL_PAGE ?? 'build-web/Quorel.html').href;
export const MAIN = '主程序';
export const ABOUT = 'Form1';

export async function launchBrowser() {
    const profile = mkdtempSync(join(tmpdir(), 'quorel-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.QUOREL_CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
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

// A page with the calculator started, and everything it logged or failed at collected.
export async function openCalculator(browser, viewport = { width: 800, height: 600 }) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    const problems = [];
    page.on('pageerror', (error) => problems.push(String(error)));
    page.on('console', (message) => {
        if (message.type() === 'error') problems.push(message.text());
    });
    await page.goto(pageUrl);
    await page.waitForSelector('html[data-ready]');
    page.problems = problems;
    return page;
}

// The worked example: what is typed (by field number) and what each of the four buttons writes.
export const workedExample = {
    typed: { 1: '100', 2: '10', 3: '98', 5: '1.84', 8: '1' },
    results: { 4: '10.2040816326531', 6: '5.54569653948536', 7: '89.7959183673469', 9: '89.7959183673469' },
};

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
    return page.$$eval(`[data-window="${MAIN}"] input`, (inputs) =>
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
