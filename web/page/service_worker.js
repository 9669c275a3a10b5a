// Keeps one release of the Quorel site in the browser's cache for this site, so that an installed
// Quorel starts without the network. The release is named by the hash of its files; each file is
// checked against its own hash when it is fetched, so a release is kept whole or not at all, and a
// start is served from one release only. A new release on the server is fetched in the background
// while the old one runs; it takes over once no window of the old one is open, at the next start.
const release = '@RELEASE@';
// Each file of the release, as a path relative to this worker, with its SHA-256 (base64).
const files = @FILES@;
const prefix = 'quorel-';
const cacheName = prefix + release;

const digest = async (response) => {
    const bytes = new Uint8Array(await crypto.subtle.digest('SHA-256', await response.arrayBuffer()));
    let text = '';
    for (const byte of bytes) text += String.fromCharCode(byte);
    return btoa(text);
};

self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        const fetched = await Promise.all(Object.entries(files).map(async ([path, hash]) => {
            const response = await fetch(path, { cache: 'no-cache' });
            if (!response.ok) throw new Error(`${path}: ${response.status}`);
            if ((await digest(response.clone())) !== hash) throw new Error(`${path} is not of release ${release}`);
            return [path, response];
        }));
        const cache = await caches.open(cacheName);
        await Promise.all(fetched.map(([path, response]) => cache.put(path, response)));
    })());
});

self.addEventListener('activate', (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys()) {
            if (name.startsWith(prefix) && name !== cacheName) await caches.delete(name);
        }
        // The first release takes the window that installed it: that page asks for nothing more.
        await self.clients.claim();
    })());
});

self.addEventListener('fetch', (event) => {
    const url = new URL(event.request.url);
    if (event.request.method !== 'GET' || url.origin !== location.origin) return;
    // The folder itself and its index.html are one file.
    const index = new URL('./', location.href);
    const key = url.pathname === `${index.pathname}index.html` ? index.href : url.href.split(/[?#]/)[0];
    event.respondWith((async () => {
        const kept = await (await caches.open(cacheName)).match(key);
        return kept ?? fetch(event.request);
    })());
});
