// Checks the page's scripts against the browsers package.json declares (its browserslist): the
// syntax with es-check, the web APIs they call with eslint-plugin-compat. The script that tells a
// browser below that floor so must itself run everywhere: ES5, and only what it tests for.
//   node check-floor.mjs <face.js> <floor.js> <module loader.js> <module translated to JavaScript>
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { ESLint } from 'eslint';
import compat from 'eslint-plugin-compat';

const here = dirname(fileURLToPath(import.meta.url));
const { browserslist } = JSON.parse(readFileSync(join(here, 'package.json'), 'utf8'));
const [face, floor, loader, translated] = process.argv.slice(2);
const scripts = [
    { file: face, ecma: 2021, sourceType: 'module' },
    { file: loader, ecma: 2021, sourceType: 'script' },
    { file: translated, ecma: 2021, sourceType: 'script' },
    { file: floor, ecma: 5, sourceType: 'script' },
];

let faults = 0;
for (const { file, ecma, sourceType } of scripts) {
    const args = [`es${ecma}`, file, ...(sourceType === 'module' ? ['--module'] : [])];
    try {
        execFileSync(join(here, 'node_modules/.bin/es-check'), args, { stdio: 'pipe' });
        console.log(`es-check es${ecma}: ${file}: ok`);
    } catch (error) {
        ++faults;
        console.log(`es-check es${ecma}: ${file}:\n${error.stdout}${error.stderr}`);
    }
}

const eslint = new ESLint({
    cwd: here,
    overrideConfigFile: true,
    overrideConfig: [{
        languageOptions: { ecmaVersion: 2021 },
        plugins: { compat },
        settings: { browsers: browserslist },
        rules: { 'compat/compat': 'error' },
    }],
});
for (const { file, sourceType } of scripts) {
    const [result] = await eslint.lintText(readFileSync(file, 'utf8'), { filePath: join(here, `checked-${sourceType}.js`) });
    for (const m of result.messages) console.log(`${file}:${m.line}:${m.column}: ${m.message}`);
    faults += result.messages.length;
    if (!result.messages.length) console.log(`eslint-plugin-compat (${browserslist.join(', ')}): ${file}: ok`);
}
process.exitCode = faults ? 1 : 0;
