// Makes the self-contained Quorel.html from its template: the style sheet with the windows'
// layout, the windows' markup and the page title (all made from the form's tables), the page's own
// texts, the WebAssembly module as base64 in a data block, and the page's script (the module's
// loader followed by the face). The Content-Security-Policy allows exactly this script and this style,
// by their SHA-256 hashes, and nothing else.
//   node make_page.mjs <output> template=<file> style=<file> layout=<file> windows=<file>
//                      title=<file> texts=<file> loader=<file> wasm=<file> face=<file>
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const [output, ...pairs] = process.argv.slice(2);
const inputs = Object.fromEntries(pairs.map((pair) => pair.split(/=(.*)/s).slice(0, 2)));
const read = (name) => {
    if (!inputs[name]) throw new Error(`make_page.mjs: no ${name}= given`);
    return readFileSync(inputs[name], 'utf8');
};
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const style = `${read('style')}${read('layout')}`;
const script = `\n${read('loader')}\n${read('face')}\n`;
if (script.includes('</script')) throw new Error('The page\'s script contains </script and cannot be put inline');
const moduleBytes = readFileSync(inputs.wasm).toString('base64');

const values = {
    SCRIPT_HASH: hash(script),
    STYLE_HASH: hash(style),
    TITLE: read('title'),
    STYLE: style,
    WINDOWS: read('windows'),
    MODULE_BYTES: moduleBytes,
    SCRIPT: script,
    ...JSON.parse(read('texts')),
};
// One pass, so that nothing inserted is taken for a placeholder.
const page = read('template').replace(/@([A-Z_]+)@/g, (whole, name) => {
    if (!(name in values)) throw new Error(`make_page.mjs: unknown placeholder ${whole}`);
    return values[name];
});
writeFileSync(output, page);
