// A paste through the system's clipboard, as from another program: whatever its length it arrives
// whole and the calculator reads it; a line break in it does not make a second line; typing goes
// on past the length a browser's text field may keep (WebKit's: 524,288 characters). The text is
// put on the X clipboard with xclip and pasted with a real Ctrl+V, so the browsers run on the
// display (headless ones keep a clipboard of their own).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { MAIN, cannotCheck, control, field, fieldTexts, launchBrowser, messageShown,
         openCalculator, pressWith, typeInto } from './support/page.mjs';

const xclip = process.env.QUOREL_XCLIP ?? 'xclip';
const noDisplay = process.env.DISPLAY ? false : 'no X display (run under xvfb-run)';

let browser;
before(async () => { browser = await launchBrowser({ onDisplay: !noDisplay }); });
after(async () => { await browser.close(); });

// Holds `text` on the clipboard as a program that copied it would, until `release` is called.
async function copyElsewhere(text) {
    const holder = spawn(xclip, ['-selection', 'clipboard', '-quiet'], { stdio: ['pipe', 'ignore', 'ignore'] });
    holder.stdin.end(text);
    const release = () => { holder.kill(); };
    for (let tries = 0; tries < 100; ++tries) {
        try {
            const held = execFileSync(xclip, ['-selection', 'clipboard', '-o'], { maxBuffer: 64 << 20, encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
            if (held === text) return release;
        } catch { /* not held yet */ }
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    release();
    throw new Error('xclip did not take the clipboard');
}

// Whether field n holds `expected`, once it has its length (a long paste takes a moment to arrive).
async function settledText(page, n, expected) {
    const length = () => page.$eval(field(n), (f) => f.value.length);
    for (let tries = 0; tries < 100 && (await length()) !== expected.length; ++tries) {
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return page.$eval(field(n), (f, text) => ({ length: f.value.length, whole: f.value === text }), expected);
}

const million = `0.${'1'.repeat(999998)}`;

test('a million characters pasted from another program arrive whole, and typing and undo go on', async (t) => {
    if (noDisplay) return t.skip(noDisplay);
    const page = await openCalculator(browser);
    await typeInto(page, 1, '100');
    await typeInto(page, 3, '98');
    await typeInto(page, 2, '9');
    await page.click(field(2), { clickCount: 3 });
    const release = await copyElsewhere(million);
    try {
        await pressWith(page, 'KeyV', 'Control');
        assert.deepEqual(await settledText(page, 2, million), { length: 1e6, whole: true });
    } finally {
        release();
    }
    await page.keyboard.press('End');
    await page.keyboard.type('5');
    assert.deepEqual(await settledText(page, 2, `${million}5`), { length: 1e6 + 1, whole: true });
    // Enter in a field does nothing, and makes no second line.
    await page.keyboard.press('Enter');
    assert.deepEqual(await settledText(page, 2, `${million}5`), { length: 1e6 + 1, whole: true });
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await messageShown(page)).open, false);
    assert.equal((await fieldTexts(page)).Text4, '0.113378684807256');
    await page.click(field(2));
    await page.keyboard.press('End');
    if (cannotCheck(t, 'undoKey', 'undo by Ctrl+Z')) await page.evaluate(() => document.execCommand('undo'));
    else await pressWith(page, 'KeyZ', 'Control');
    assert.deepEqual(await settledText(page, 2, million), { length: 1e6, whole: true }, 'undo takes the 5 back');
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('a line break pasted into a field becomes a space, as in any text field', async (t) => {
    if (noDisplay) return t.skip(noDisplay);
    const page = await openCalculator(browser);
    await page.click(field(1));
    const release = await copyElsewhere('10\n0');
    try {
        await pressWith(page, 'KeyV', 'Control');
        assert.deepEqual(await settledText(page, 1, '10 0'), { length: 4, whole: true });
    } finally {
        release();
    }
    await page.close();
});

test('typing on past 524,288 characters keeps every character', async () => {
    const page = await openCalculator(browser);
    const long = '1'.repeat(524287);
    await page.$eval(field(2), (f, text) => { f.value = text; }, long);
    await page.click(field(2));
    await page.keyboard.press('End');
    await page.keyboard.type('234');
    assert.deepEqual(await settledText(page, 2, `${long}234`), { length: 524290, whole: true });
    await page.close();
});
