// Writes the Quorel site: a folder that any static web server can serve as it is, at any path. It
// holds the page as index.html (with its manifest and icon linked, and a policy that also lets it
// take its manifest, icons and service worker from its own origin), the web app manifest, the
// icons made from the program's icon, and the service worker that keeps this release for offline
// starts.
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync } from 'node:zlib';

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('base64');

// The icon picture of an XPM file: its width, height, palette (RGB) and a palette index a pixel.
function readXpm(source) {
    const strings = [...source.matchAll(/"([^"]*)"/g)].map((m) => m[1]);
    const [width, height, colours, perPixel] = strings[0].trim().split(/\s+/).map(Number);
    const keys = [];
    const palette = [];
    for (const line of strings.slice(1, 1 + colours)) {
        const colour = /\bc\s+#([0-9a-fA-F]{6})\b/.exec(line.slice(perPixel));
        if (!colour) throw new Error(`make_site.mjs: an icon colour must be #RRGGBB: ${line}`);
        keys.push(line.slice(0, perPixel));
        palette.push([0, 2, 4].map((i) => parseInt(colour[1].slice(i, i + 2), 16)));
    }
    const pixels = strings.slice(1 + colours, 1 + colours + height).map((row) =>
        Array.from({ length: width }, (_, x) => keys.indexOf(row.slice(x * perPixel, (x + 1) * perPixel))));
    if (pixels.length !== height || pixels.some((row) => row.includes(-1))) throw new Error('make_site.mjs: a broken icon');
    return { width, height, palette, pixels };
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
});
function crc32(bytes) {
    let c = 0xffffffff;
    for (const byte of bytes) c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
    const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(crc32(body));
    return Buffer.concat([length, body, crc]);
}

// The icon at `size` pixels: each of its pixels a clean square of `scale` pixels, centred on a
// ground of `ground` (RGB) where it does not fill the size.
function iconPng(icon, scale, size, ground) {
    const palette = [...icon.palette, ground];
    const groundIndex = palette.length - 1;
    const offset = (size - icon.width * scale) / 2;
    if (!Number.isInteger(offset) || offset < 0) throw new Error(`make_site.mjs: no ${size} px icon at ${scale}x`);
    const rows = [];
    for (let y = 0; y < size; ++y) {
        const row = Buffer.alloc(size + 1); // filter byte 0, then one palette index a pixel
        for (let x = 0; x < size; ++x) {
            const [ix, iy] = [Math.floor((x - offset) / scale), Math.floor((y - offset) / scale)];
            const inside = x >= offset && y >= offset && ix < icon.width && iy < icon.height;
            row[x + 1] = inside ? icon.pixels[iy][ix] : groundIndex;
        }
        rows.push(row);
    }
    const header = Buffer.alloc(13);
    header.writeUInt32BE(size, 0);
    header.writeUInt32BE(size, 4);
    header.set([8, 3, 0, 0, 0], 8); // 8 bits, palette, deflate, adaptive filtering, no interlace
    return Buffer.concat([
        Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        chunk('IHDR', header),
        chunk('PLTE', Buffer.from(palette.flat())),
        chunk('IDAT', deflateSync(Buffer.concat(rows), { level: 9 })),
        chunk('IEND', Buffer.alloc(0)),
    ]);
}

const rgb = (hex) => [0, 2, 4].map((i) => parseInt(hex.slice(1 + i, 3 + i), 16));

// site: the folder; page: index.html's text; names: { name, shortName }; colours: { theme,
// background } as #rrggbb; iconSource: the XPM's text; workerSource: the service worker's template.
export function writeSite(site, { page, names, colours, iconSource, workerSource }) {
    rmSync(site, { recursive: true, force: true });
    mkdirSync(site, { recursive: true });
    const icon = readXpm(iconSource);
    const ground = rgb(colours.background);
    // Each icon: its file, the size of one of the picture's pixels, its size, and its purpose in
    // the manifest (the apple-touch-icon is linked from the page instead). The maskable icon keeps
    // the picture inside the circle every mask leaves whole.
    const iconTable = [
        ['icon-192.png', 6, 192, 'any'],
        ['icon-512.png', 16, 512, 'any'],
        ['icon-maskable-512.png', 9, 512, 'maskable'],
        ['apple-touch-icon.png', 5, 180, null],
    ];
    const icons = Object.fromEntries(iconTable.map(([file, scale, size]) => [file, iconPng(icon, scale, size, ground)]));
    const manifest = `${JSON.stringify({
        name: names.name,
        short_name: names.shortName,
        lang: 'zh-CN',
        dir: 'ltr',
        start_url: './',
        scope: './',
        display: 'standalone',
        theme_color: colours.theme,
        background_color: colours.background,
        icons: iconTable.filter(([, , , purpose]) => purpose).map(([src, , size, purpose]) =>
            ({ src, sizes: `${size}x${size}`, type: 'image/png', purpose })),
    }, null, 2)}\n`;
    const kept = { './': Buffer.from(page), 'manifest.webmanifest': Buffer.from(manifest), ...icons };
    const hashes = Object.fromEntries(Object.entries(kept).map(([path, bytes]) => [path, sha256(bytes)]));
    const release = createHash('sha256').update(JSON.stringify(hashes)).digest('hex').slice(0, 16);
    const worker = workerSource.replace(/@([A-Z]+)@/g, (whole, name) => {
        if (name === 'RELEASE') return release;
        if (name === 'FILES') return JSON.stringify(hashes, null, 4);
        throw new Error(`make_site.mjs: unknown placeholder ${whole}`);
    });
    for (const [path, bytes] of Object.entries(kept)) writeFileSync(join(site, path === './' ? 'index.html' : path), bytes);
    writeFileSync(join(site, 'sw.js'), worker);
    return release;
}
