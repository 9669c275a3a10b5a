// The keys every face is tested with (written from the form's test table when the page is built):
// each pressed on the real page, on its window with the focus on its control, does what the
// table says.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { MAIN, control, fieldTexts, fill, focusedName, hasEnded, launchBrowser, menuItem,
         messageShown, openCalculator, pressWith, visibleWindows, workedExample } from './support/page.mjs';

const keyTable = JSON.parse(readFileSync(new URL('./key-table.json', import.meta.url), 'utf8'));

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

// The modifiers a key of the table is pressed with.
const modifiersOf = (key) => [['ctrl', 'Control'], ['shift', 'Shift'], ['alt', 'Alt']]
    .filter(([flag]) => key[flag]).map(([, name]) => name);

test('the key table covers both windows and every outcome', () => {
    assert.deepEqual(new Set(keyTable.map((k) => k.window)), new Set([MAIN, 'Form1']));
    assert.deepEqual(new Set(keyTable.map((k) => k.outcome)),
                     new Set(['nothing', 'calculates', 'emptiesFields', 'endsProgram', 'returnsToCalculator']));
});

for (const key of keyTable) {
    test(`${key.name} on ${key.window}, focus on ${key.focus}: ${key.outcome}`, async () => {
        const page = await openCalculator(browser);
        await fill(page, workedExample.typed);
        if (key.window !== MAIN) await page.click(menuItem('关于'));
        await page.focus(control(key.window, key.focus));
        const before = await fieldTexts(page);
        await pressWith(page, key.code, ...modifiersOf(key));

        const expected = { ...before };
        switch (key.outcome) {
        case 'nothing':
            assert.deepEqual(await visibleWindows(page), [key.window]);
            assert.equal(await focusedName(page), key.focus);
            break;
        case 'calculates':
            expected.Text4 = workedExample.results[4];
            break;
        case 'emptiesFields':
            for (const name of Object.keys(expected)) expected[name] = '';
            break;
        case 'endsProgram':
            assert.equal(await hasEnded(page), true);
            assert.deepEqual(page.problems, []);
            return;
        case 'returnsToCalculator':
            assert.deepEqual(await visibleWindows(page), [MAIN]);
            break;
        default:
            assert.fail(`no check for ${key.outcome}`);
        }
        assert.equal(await hasEnded(page), false);
        assert.equal((await messageShown(page)).open, false);
        assert.deepEqual(await fieldTexts(page), expected);
        assert.deepEqual(page.problems, []);
    });
}
