// The site as a school's web server serves it: installable, kept by its service worker so that it
// starts without the network, and replaced by a new release only at the next start, never mixed.
// The server is this test's own, on 127.0.0.1 (a secure context, as HTTPS is), on a free port.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, resolve } from 'node:path';
import { MAIN, control, fieldTexts, fill, launchBrowser, openCalculator, skipWithout, workedExample } from './support/page.mjs';

const builtSite = resolve(process.env.QUOREL_SITE ?? join(dirname(process.env.QUOREL_PAGE ?? 'build-web/Quorel.html'), 'site'));
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
                '.webmanifest': 'application/manifest+json' };

// Serves a copy of the site from under /quorel/, as a school might, until test `t` ends, however it
// ends; `requests` lists what was asked.
async function serveSite(t) {
    const root = mkdtempSync(join(tmpdir(), 'quorel-site-'));
    cpSync(builtSite, root, { recursive: true });
    const requests = [];
    const server = createServer((request, response) => {
        requests.push(request.url);
        const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const notFound = () => response.writeHead(404, { 'Content-Type': types['.html'] }).end('<!DOCTYPE html><title>404</title>');
        if (!path.startsWith('/quorel/')) {
            notFound();
            return;
        }
        const file = join(root, path.slice('/quorel/'.length) || 'index.html');
        if (!file.startsWith(`${root}/`)) {
            notFound();
            return;
        }
        try {
            const body = readFileSync(file);
            response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' }).end(body);
        } catch {
            notFound();
        }
    });
    await new Promise((done) => server.listen(0, '127.0.0.1', done));
    t.after(async () => {
        server.closeAllConnections();
        await new Promise((done) => server.close(done));
        rmSync(root, { recursive: true, force: true });
    });
    return { url: `http://127.0.0.1:${server.address().port}/quorel/`, root, requests };
}

// A new release on the server: the page changed (a mark in its head here) and the worker naming
// its files.
const newMark = '<meta name="release" content="new">';
const releaseOf = (page) => page.evaluate(() => document.querySelector('meta[name="release"]')?.content ?? 'old');
function publishNewRelease(root) {
    const page = readFileSync(join(root, 'index.html'), 'utf8').replace('<head>', `<head>${newMark}`);
    writeFileSync(join(root, 'index.html'), page);
    const hash = createHash('sha256').update(page).digest('base64');
    const worker = readFileSync(join(root, 'sw.js'), 'utf8')
        .replace(/const release = '([0-9a-f]+)'/, "const release = 'newrelease'")
        .replace(/"\.\/": "[^"]+"/, `"./": "${hash}"`);
    writeFileSync(join(root, 'sw.js'), worker);
}

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser.close(); });

const open = (url) => openCalculator(browser, undefined, url);

// The site served and opened, its service worker in control of the page.
async function openControlled(t) {
    const site = await serveSite(t);
    const page = await open(site.url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
    return { site, page };
}
const cacheNames = (page) => page.evaluate(() => caches.keys());
// The same page opened again, once the calculator has started there.
async function openAgain(page) {
    await page.reload();
    await page.waitForSelector('html[data-ready]');
}

// The worked example's first calculation, the concentrate's mass: what Text4 then shows.
async function concentrateMass(page) {
    await fill(page, workedExample.typed);
    await page.click(control(MAIN, workedExample.buttons[0]));
    return (await fieldTexts(page)).Text4;
}

test('served, the site calculates and its worker registers and keeps the release', async (t) => {
    const site = await serveSite(t);
    const page = await open(site.url);
    assert.equal(await concentrateMass(page), workedExample.results[4]);
    assert.equal(await page.evaluate(async () => (await navigator.serviceWorker.ready).scope), site.url);
    await page.waitForFunction(async () => (await caches.keys()).length === 1, { timeout: 10000 });
    assert.match((await cacheNames(page))[0], /^quorel-[0-9a-f]{16}$/);
    assert.ok(site.requests.every((r) => r.startsWith('/quorel/')), `only the site is asked for: ${site.requests}`);
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('the site is installable: a manifest with its icons, no installability errors', async (t) => {
    if (skipWithout(t, 'devtools')) return;
    const site = await serveSite(t);
    const page = await open(site.url);
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const { url, errors, data } = await cdp.send('Page.getAppManifest');
    assert.equal(url, `${site.url}manifest.webmanifest`);
    assert.deepEqual(errors, []);
    const manifest = JSON.parse(data);
    assert.equal(manifest.name, 'Quorel计算助手');
    assert.equal(manifest.lang, 'zh-CN');
    assert.equal(manifest.display, 'standalone');
    assert.equal(manifest.start_url, './');
    assert.equal(manifest.scope, './');
    assert.deepEqual(manifest.icons.map((i) => `${i.sizes} ${i.purpose}`), ['192x192 any', '512x512 any', '512x512 maskable']);
    for (const { src, sizes } of [...manifest.icons, { src: 'apple-touch-icon.png', sizes: '180x180' }]) {
        const size = await page.evaluate(async (source) => {
            const image = new Image();
            image.src = source;
            await image.decode();
            return `${image.naturalWidth}x${image.naturalHeight}`;
        }, src);
        assert.equal(size, sizes, src);
    }
    assert.ok(site.requests.every((r) => r.startsWith('/quorel/')), 'nothing outside the site is asked for');
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('once loaded, the site starts and calculates with the network cut off', async (t) => {
    if (skipWithout(t, 'devtools')) return;
    const { page: first } = await openControlled(t);
    assert.equal(await concentrateMass(first), workedExample.results[4]);
    await first.setOfflineMode(true);
    await openAgain(first);
    assert.equal(await concentrateMass(first), workedExample.results[4]);
    assert.equal((await cacheNames(first)).length, 1);
    const stored = await first.evaluate(async () => ({
        cookies: document.cookie, local: localStorage.length, databases: (await indexedDB.databases()).length,
    }));
    assert.deepEqual(stored, { cookies: '', local: 0, databases: 0 });
    assert.deepEqual(first.problems, []);
    await first.close();
});

test('a new release on the server is taken at the next start, whole, and the old one removed', async (t) => {
    if (skipWithout(t, 'devtools')) return;
    const opened = await openControlled(t);
    const site = opened.site;
    let page = opened.page;
    assert.match((await cacheNames(page))[0], /^quorel-[0-9a-f]{16}$/, 'the first release is kept');

    publishNewRelease(site.root);
    // Opening it again finds the new release and fetches it in the background; the running
    // release goes on serving this start.
    await openAgain(page);
    assert.equal(await releaseOf(page), 'old');
    await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.waiting !== null, { timeout: 10000 });
    assert.equal(await releaseOf(page), 'old');
    await page.close();
    // The old release goes once no window of it is open; a page of the same server outside the
    // site sees the new one take over.
    const outside = await browser.newPage();
    await outside.goto(new URL('/', site.url).href);
    await outside.waitForFunction(async () => {
        const registration = await navigator.serviceWorker.getRegistration('/quorel/');
        return registration.waiting === null && registration.active?.state === 'activated';
    }, { timeout: 10000 });
    await outside.close();

    // The next start: the app opened again.
    page = await open(site.url);
    assert.equal(await releaseOf(page), 'new');
    await page.waitForFunction(async () => (await caches.keys()).length === 1, { timeout: 10000 });
    assert.deepEqual(await cacheNames(page), ['quorel-newrelease']);
    await page.setOfflineMode(true);
    await openAgain(page);
    assert.equal(await releaseOf(page), 'new');
    assert.equal(await concentrateMass(page), workedExample.results[4]);
    await page.close();
});

test('a release whose files do not match their hashes is not taken', async (t) => {
    const site = await serveSite(t);
    // The page changed on the server, the worker still names the old page: a half-copied upload.
    writeFileSync(join(site.root, 'index.html'), readFileSync(join(site.root, 'index.html'), 'utf8').replace('<head>', `<head>${newMark}`));
    const page = await open(site.url);
    const state = await page.evaluate(async () => {
        // As the page itself asks; a registration whose install failed is gone and starts afresh.
        const registration = await navigator.serviceWorker.register('sw.js');
        const worker = registration.installing ?? registration.waiting ?? registration.active;
        if (worker.state !== 'redundant' && worker.state !== 'activated') {
            await new Promise((done) => worker.addEventListener('statechange', function changed() {
                if (worker.state === 'redundant' || worker.state === 'activated') done();
            }));
        }
        return { state: worker.state, caches: await caches.keys() };
    });
    assert.deepEqual(state, { state: 'redundant', caches: [] });
    await page.close();
});
