// Makes the self-contained Quorel.html from its template: the style sheet with the windows'
// layout and, under its media query, the one-column layout for a finger; the windows' markup and
// the page title (all made from the form's tables); the page's own texts; the WebAssembly module
// as base64 in a data block; the page's script (the module's loader followed by the face); and the
// same module translated to JavaScript, in an inert block, for a browser that refuses WebAssembly.
// The Content-Security-Policy allows exactly this script and this style, by their SHA-256 hashes,
// and nothing else.
//   node make_page.mjs <output> template=<file> style=<file> layout=<file> touch=<file>
//                      touchMedia=<file> windows=<file> title=<file> texts=<file> loader=<file>
//                      wasm=<file> translated=<file> face=<file> floor=<file>
//                      [site=<folder> icon=<xpm> worker=<file>]
// With site=, it also writes the site (make_site.mjs) around the same page.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { writeSite } from './make_site.mjs';

const [output, ...pairs] = process.argv.slice(2);
const inputs = Object.fromEntries(pairs.map((pair) => pair.split(/=(.*)/s).slice(0, 2)));
const read = (name) => {
    if (!inputs[name]) throw new Error(`make_page.mjs: no ${name}= given`);
    return readFileSync(inputs[name], 'utf8');
};
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const style = `${read('style')}${read('layout')}@media ${read('touchMedia')} {\n${read('touch')}}\n`;
const script = `\n${read('loader')}\n${read('face')}\n`;
const floor = `\n${read('floor')}`;
const translated = read('translated');
// The parser would end a script early at </script, read on past its end after <!--, and turn a
// carriage return into a line feed (which would change the text the policy names by its hash).
for (const inline of [script, floor, translated]) {
    if (/<\/script|<!--|\r/i.test(inline)) throw new Error('A script of the page contains </script, <!-- or a carriage return and cannot be put inline');
}
const moduleBytes = readFileSync(inputs.wasm).toString('base64');

const values = {
    SCRIPT_HASH: hash(script),
    FLOOR_HASH: hash(floor),
    FLOOR: floor,
    STYLE_HASH: hash(style),
    TITLE: read('title'),
    STYLE: style,
    WINDOWS: read('windows'),
    MODULE_BYTES: moduleBytes,
    SCRIPT: script,
    MODULE_SCRIPT: translated,
    MODULE_SCRIPT_HASH: hash(translated),
    SITE_POLICY: '',
    SITE_HEAD: '',
    ...JSON.parse(read('texts')),
};
// One pass, so that nothing inserted is taken for a placeholder.
const fill = (extra) => {
    const all = { ...values, ...extra };
    return read('template').replace(/@([A-Z_]+)@/g, (whole, name) => {
        if (!(name in all)) throw new Error(`make_page.mjs: unknown placeholder ${whole}`);
        return all[name];
    });
};
writeFileSync(output, fill({}));

if (inputs.site) {
    const colour = (name) => {
        const found = new RegExp(`--${name}:\\s*(#[0-9a-fA-F]{6})\\b`).exec(style);
        if (!found) throw new Error(`make_page.mjs: the style sheet has no --${name}`);
        return found[1];
    };
    // The program's name is the window's title without its edition mark; its short name, the
    // Latin word it starts with.
    const name = values.TITLE.replace(/（[^）]*）$/, '');
    writeSite(inputs.site, {
        page: fill({
            SITE_POLICY: " manifest-src 'self'; worker-src 'self'; img-src 'self';",
            SITE_HEAD: `\n<link rel="manifest" href="manifest.webmanifest">\n` +
                       `<link rel="icon" href="icon-192.png" type="image/png">\n` +
                       `<link rel="apple-touch-icon" href="apple-touch-icon.png">\n` +
                       `<meta name="theme-color" content="${colour('title-colour')}">`,
        }),
        names: { name, shortName: /^[A-Za-z]+/.exec(name)[0] },
        colours: { theme: colour('title-colour'), background: colour('page-colour') },
        iconSource: read('icon'),
        workerSource: read('worker'),
    });
}
