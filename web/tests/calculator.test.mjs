// The calculator at work: the worked example through all four buttons, the six messages, the
// result field emptied only once 确定 is pressed, an overflow, long fields, Enter and Ctrl+X.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { MAIN, control, doWorkedExample, field, fieldTexts, fill, focusedName, hasEnded,
         launchBrowser, messageShown, openCalculator, pressWith, skipWithout, typeInto,
         workedExample } from './support/page.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

async function dismissMessage(page) {
    await page.click('#message-ok');
    assert.equal((await messageShown(page)).open, false);
}

const example = workedExample.typed;
const result = (n) => workedExample.results[n];

test('the worked example through all four buttons', async () => {
    const page = await openCalculator(browser);
    await doWorkedExample(page);
    const expected = Object.fromEntries(Array.from({ length: 9 }, (_, i) =>
        [`Text${i + 1}`, example[i + 1] ?? result(i + 1)]));
    assert.deepEqual(await fieldTexts(page), expected);
    assert.equal((await messageShown(page)).open, false);
    assert.deepEqual(page.problems, []);
});

// button, what is typed, the message.
const messages = [
    ['Command1', { 2: '10', 3: '98' }, '请输入所需配制溶液质量!'],
    ['Command1', { 1: '100', 3: '98' }, '请输入所需配制溶液浓度!'],
    ['Command1', { 1: '100', 2: '10' }, '请输入浓溶液浓度!'],
    ['Command1', { 1: '100', 2: '99', 3: '98' }, '所需配制溶液浓度大于浓溶液浓度！这不可能,请重新输入！'],
    ['体积计算', { 1: '100', 2: '10', 3: '98' }, '请输入浓溶液的密度'],
    ['溶剂体积计算', { 1: '100', 2: '10', 3: '98' }, '请输入溶剂的密度'],
];
for (const [button, typed, text] of messages) {
    test(`${button} answers "${text}" in a modal 注意 box with one 确定 button`, async () => {
        const page = await openCalculator(browser);
        await fill(page, typed);
        await page.click(control(MAIN, button));
        const shown = await messageShown(page);
        assert.deepEqual(shown, { open: true, modal: true, title: '注意', text, buttons: ['确定'], focused: 'message-ok' });
        // Nothing behind the box reacts: a click on a button there that the box does not cover,
        // and typing, change nothing.
        const before = await fieldTexts(page);
        const at = await page.$$eval(`[data-window="${MAIN}"] button.control`, (buttons) => {
            const box = document.getElementById('message').getBoundingClientRect();
            const centres = buttons.map((b) => b.getBoundingClientRect())
                .map((r) => ({ x: r.left + r.width / 2, y: r.top + r.height / 2 }));
            return centres.find(({ x, y }) => x < box.left || x > box.right || y < box.top || y > box.bottom);
        });
        assert.ok(at, 'a button behind the box lies outside it');
        await page.mouse.click(at.x, at.y);
        assert.equal(await hasEnded(page), false);
        await page.keyboard.type('7');
        assert.equal((await messageShown(page)).open, true);
        assert.deepEqual(await fieldTexts(page), before);
        await dismissMessage(page);
        assert.equal(await focusedName(page), button, 'the focus is back on the button pressed');
    });
}

test('浓溶液质量计算 empties its result only after 确定; 溶剂质量计算 keeps its own', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    await page.click(control(MAIN, 'Command1'));
    await page.click(control(MAIN, 'Command2'));
    await typeInto(page, 1, '');
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await messageShown(page)).open, true);
    assert.equal((await fieldTexts(page)).Text4, result(4), 'still shown while the box is open');
    await dismissMessage(page);
    assert.equal((await fieldTexts(page)).Text4, '');
    await page.click(control(MAIN, 'Command2'));
    await dismissMessage(page);
    assert.equal((await fieldTexts(page)).Text7, result(7));
});

test('an overflow is reported, keeps all nine fields and the page goes on working', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    await page.click(control(MAIN, 'Command2'));
    await typeInto(page, 1, '1e999');
    await page.click(control(MAIN, 'Command1'));
    const shown = await messageShown(page);
    assert.equal(shown.title, '注意');
    assert.match(shown.text, /溢出/);
    assert.deepEqual(shown.buttons, ['确定']);
    const kept = await fieldTexts(page);
    await dismissMessage(page);
    assert.deepEqual(await fieldTexts(page), kept);
    assert.equal(kept.Text1, '1e999');
    assert.equal(kept.Text7, result(7));
    await fill(page, example);
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await fieldTexts(page)).Text4, result(4));
    assert.equal(await hasEnded(page), false);
});

test('a 40,000-character field is read whole and shows from its start', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    const long = `100${' '.repeat(39997)}`;
    await page.$eval(field(1), (f, text) => { f.value = text; }, long);
    await page.click(control(MAIN, 'Command1'));
    assert.equal((await fieldTexts(page)).Text4, result(4));
    const digits = '1'.repeat(40000);
    await page.$eval(field(4), (f, text) => { f.value = text; }, digits);
    await page.click(field(4));
    await page.keyboard.press('End');
    await page.keyboard.type('2');
    assert.equal((await fieldTexts(page)).Text4, `${digits}2`);
});

test('a result the focus passes through by Tab is left showing its first digits', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    await page.click(control(MAIN, 'Command1'));
    await page.keyboard.press('Tab'); // from 浓溶液质量计算 into its result, all of it selected
    assert.equal(await focusedName(page), 'Text4');
    // WebKit scrolls a field to its selection at its next rendering, not at once.
    await page.waitForFunction((selector) => document.querySelector(selector).scrollLeft > 0, { timeout: 5000 }, field(4));
    await page.keyboard.press('Tab');
    await page.waitForFunction((selector) => document.querySelector(selector).scrollLeft === 0, { timeout: 5000 }, field(4));
});

test('a pasted megabyte keeps the page responsive', async (t) => {
    if (skipWithout(t, 'scriptedPaste')) return;
    const page = await openCalculator(browser);
    await page.click(field(2));
    // Inserted as a paste inserts it, through the field's editing.
    await page.evaluate(() => document.execCommand('insertText', false, `0.${'1'.repeat(1 << 20)}`));
    await page.keyboard.type('5');
    await fill(page, { 1: '100', 3: '98' });
    await page.click(control(MAIN, 'Command1'));
    const texts = await fieldTexts(page);
    assert.equal(texts.Text2.length, (1 << 20) + 3);
    assert.equal(texts.Text4, '0.113378684807256');
    assert.equal((await messageShown(page)).open, false);
});

test('Enter presses the focused button and does nothing in a field', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    await page.focus(field(3));
    await page.keyboard.press('Enter');
    assert.equal((await fieldTexts(page)).Text4, '');
    assert.equal((await messageShown(page)).open, false);
    await page.keyboard.press('Tab');
    assert.equal(await focusedName(page), 'Command1');
    await page.keyboard.press('Enter');
    assert.equal((await fieldTexts(page)).Text4, result(4));
    await page.keyboard.press('NumpadEnter');
    assert.equal((await messageShown(page)).open, false);
});

test('Ctrl+X cuts in a field and ends the program elsewhere', async () => {
    const page = await openCalculator(browser);
    await typeInto(page, 1, '12345');
    await page.click(field(1), { clickCount: 3 });
    await pressWith(page, 'KeyX', 'Control');
    assert.equal((await fieldTexts(page)).Text1, '');
    assert.equal(await hasEnded(page), false);
    await page.focus(control(MAIN, 'Command1'));
    await pressWith(page, 'KeyX', 'Control');
    assert.equal(await hasEnded(page), true);
});

test('Ctrl+N empties every field where the browser lets it through', async () => {
    const page = await openCalculator(browser);
    await fill(page, example);
    await page.click(control(MAIN, 'Command1'));
    await page.focus(control(MAIN, 'Command1'));
    await pressWith(page, 'KeyN', 'Control');
    assert.deepEqual(Object.values(await fieldTexts(page)), Array(9).fill(''));
});
