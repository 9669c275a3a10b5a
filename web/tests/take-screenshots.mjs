// Takes the README's pictures of Quorel.html after the worked example: on a desktop at 1x and
// 2x; on a phone held upright (360 x 740 CSS pixels, the whole page) and on its side; on a tablet.
//   node take-screenshots.mjs <Quorel.html> <docs folder>   (from the build tree's web/tests)
import { join, resolve } from 'node:path';

const [pagePath, docs] = process.argv.slice(2);
process.env.QUOREL_PAGE = resolve(pagePath);
const { MAIN, control, doWorkedExample, launchBrowser, openCalculator } = await import('./support/page.mjs');
const shots = [
    ['web-desktop.png', { width: 640, height: 420, deviceScaleFactor: 1 }, true],
    ['web-desktop@2x.png', { width: 640, height: 420, deviceScaleFactor: 2 }, true],
    ['web-phone.png', { width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true }, false, true],
    ['web-phone-landscape.png', { width: 740, height: 360, deviceScaleFactor: 2, isMobile: true, hasTouch: true }, false],
    ['web-tablet.png', { width: 768, height: 1024, deviceScaleFactor: 1, isMobile: true, hasTouch: true }, false],
];
const browser = await launchBrowser();
try {
    for (const [name, viewport, windowOnly, fullPage = false] of shots) {
        const page = await openCalculator(browser, viewport);
        await doWorkedExample(page);
        await page.focus(control(MAIN, 'Text1'));
        const target = windowOnly ? await page.$(`[data-window="${MAIN}"]`) : page;
        await target.screenshot({ path: join(docs, name), ...(windowOnly ? {} : { fullPage }) });
        await page.close();
    }
} finally {
    await browser.close();
}
