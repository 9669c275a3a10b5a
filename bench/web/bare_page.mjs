// The bare page the benchmarks hold Quorel.html against: the calculator's own markup and style,
// as drawn once the page has loaded, without any script; and what both benchmarks measure of a
// page.
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export async function writeBarePage(browser, openCalculator) {
    const snapshot = await openCalculator(browser);
    const bareMarkup = await snapshot.evaluate(() => {
        const copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script, meta[http-equiv]').forEach((node) => node.remove());
        delete copy.dataset.ready;
        delete copy.dataset.floor;
        return `<!DOCTYPE html>\n${copy.outerHTML}`;
    });
    await snapshot.close();
    const barePath = join(mkdtempSync(join(tmpdir(), 'quorel-bare-')), 'bare.html');
    writeFileSync(barePath, bareMarkup);
    return barePath;
}

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// When `page` first painted content, in milliseconds from its start.
export const firstPaint = (page) => page.waitForFunction(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime).then((handle) => handle.jsonValue());
