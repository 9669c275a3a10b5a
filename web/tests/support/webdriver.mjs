// WebKit for the browser tests: WebKitGTK's MiniBrowser driven by WebKitWebDriver, a W3C WebDriver
// (classic) server, over plain HTTP. The browser and its pages offer the few methods of
// puppeteer's Browser and Page the tests use, so that each test is written once for every engine.
// MiniBrowser needs an X display (the tests run under xvfb-run).
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';

// Puppeteer's key names as WebDriver's key values (its table of normalised keys).
const keys = {
    Backspace: '\uE003', Tab: '\uE004', Enter: '\uE006', NumpadEnter: '\uE007', Shift: '\uE008',
    Control: '\uE009', Alt: '\uE00A', Escape: '\uE00C', End: '\uE010', Home: '\uE011',
    ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Delete: '\uE017',
    F10: '\uE03A',
};
const keyValue = (key) => keys[key] ?? (/^Key[A-Z]$/.test(key) ? key.slice(3).toLowerCase() : key);

function freePort() {
    return new Promise((resolve, reject) => {
        const server = createServer();
        server.once('error', reject);
        server.listen(0, '127.0.0.1', () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

class WebDriverError extends Error {}

class Session {
    constructor(base) {
        this.base = base;
        this.current = null;
    }

    async call(method, path, body) {
        const response = await fetch(`${this.base}${path}`, {
            method,
            headers: { 'content-type': 'application/json; charset=utf-8' },
            body: body === undefined ? undefined : JSON.stringify(body),
        });
        const { value } = await response.json();
        if (value && value.error) throw new WebDriverError(`${value.error}: ${value.message}`);
        return value;
    }
}

export async function launchWebKit(driver) {
    const port = await freePort();
    const server = spawn(driver, [`--port=${port}`], { stdio: ['ignore', 'ignore', 'inherit'] });
    const exited = new Promise((resolve) => server.once('exit', resolve));
    const base = `http://127.0.0.1:${port}`;
    let started = null;
    for (let tries = 0; tries < 100 && !started; ++tries) {
        try {
            started = await (await fetch(`${base}/status`)).json();
        } catch {
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
    }
    if (!started) {
        server.kill();
        throw new Error(`${driver} did not answer on port ${port}`);
    }
    const root = new Session(base);
    const created = await root.call('POST', '/session', {
        capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { args: ['--automation'] } } },
    });
    const session = new Session(`${base}/session/${created.sessionId}`);
    // New windows open from this one, which stays open (a session ends with its last window).
    const first = await session.call('GET', '/window');
    session.current = first;
    return {
        version: () => `WebKitGTK ${created.capabilities.browserVersion}`,
        async newPage() {
            if (session.current !== first) await session.call('POST', '/window', { handle: first });
            session.current = first;
            const { handle } = await session.call('POST', '/window/new', { type: 'window' });
            return new Page(session, handle);
        },
        async close() {
            await session.call('DELETE', '').catch(() => {});
            server.kill();
            await exited;
        },
    };
}

// What the page has failed at or logged as an error since the tests started watching it: a
// WebDriver classic session is told of neither, so the page is watched from inside.
const watchProblems = `
    if (!window.quorelProblems) {
        window.quorelProblems = [];
        addEventListener('error', (e) => quorelProblems.push(String(e.message)));
        addEventListener('unhandledrejection', (e) => quorelProblems.push(String(e.reason)));
        const error = console.error.bind(console);
        console.error = (...args) => { quorelProblems.push(args.join(' ')); error(...args); };
    }`;

class Page {
    constructor(session, handle) {
        this.session = session;
        this.handle = handle;
        this.problems = [];
        this.frame = null;
        this.keyboard = {
            down: (key) => this.keys([{ type: 'keyDown', value: keyValue(key) }]),
            up: (key) => this.keys([{ type: 'keyUp', value: keyValue(key) }]),
            press: (key) => this.keys([{ type: 'keyDown', value: keyValue(key) },
                                       { type: 'keyUp', value: keyValue(key) }]),
            type: (text) => this.keys([...text].flatMap((c) => [{ type: 'keyDown', value: c },
                                                                  { type: 'keyUp', value: c }])),
        };
        this.mouse = {
            click: (x, y) => this.pointer({ type: 'pointerMove', origin: 'viewport', x: Math.round(x), y: Math.round(y) }, 1),
        };
    }

    async call(method, path, body) {
        if (this.session.current !== this.handle) {
            await this.session.call('POST', '/window', { handle: this.handle });
            this.session.current = this.handle;
        }
        return this.session.call(method, path, body);
    }

    // Runs `body` (a function body; `args` are its arguments) in the page, awaiting a promise it
    // returns, and takes the page's problems along.
    async run(body, args) {
        const script = `const done = arguments[arguments.length - 1];
            ${watchProblems}
            Promise.resolve().then(() => (async (...args) => { ${body} })(...[...arguments].slice(0, -1)))
                .then((value) => done({ value: value === undefined ? null : value, problems: quorelProblems }),
                      (error) => done({ error: String(error && error.stack || error), problems: quorelProblems }));`;
        const answer = await this.call('POST', '/execute/async', { script, args });
        this.problems.splice(0, this.problems.length, ...answer.problems);
        if ('error' in answer) throw new Error(answer.error);
        return answer.value;
    }

    async evaluate(fn, ...args) {
        // A script given as text runs as it is (the page's policy forbids eval).
        if (typeof fn === 'string') return this.call('POST', '/execute/sync', { script: fn, args: [] });
        return this.run(`return (${fn})(...args);`, args);
    }

    $eval(selector, fn, ...args) {
        return this.run(`const element = document.querySelector(args[0]);
            if (!element) throw new Error('no element matches ' + args[0]);
            return (${fn})(element, ...args.slice(1));`, [selector, ...args]);
    }

    $$eval(selector, fn, ...args) {
        return this.run(`return (${fn})([...document.querySelectorAll(args[0])], ...args.slice(1));`, [selector, ...args]);
    }

    async goto(url) {
        await this.call('POST', '/url', { url });
        await this.run('', []);
    }

    async reload() {
        await this.call('POST', '/refresh', {});
        await this.run('', []);
    }

    async waitForSelector(selector, { timeout = 30000 } = {}) {
        const until = Date.now() + timeout;
        while (!(await this.run('return document.querySelector(args[0]) !== null;', [selector]))) {
            if (Date.now() > until) throw new Error(`waiting for ${selector} timed out`);
            await new Promise((resolve) => setTimeout(resolve, 20));
        }
    }

    // Polls `fn` in the page until it gives a true value, and gives that.
    async waitForFunction(fn, { timeout = 30000 } = {}, ...args) {
        const until = Date.now() + timeout;
        for (;;) {
            const value = await this.evaluate(fn, ...args);
            if (value) return { jsonValue: async () => value };
            if (Date.now() > until) throw new Error('Waiting failed: timed out');
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
    }

    title() {
        return this.call('GET', '/title');
    }

    // The window is sized so that the page gets `width` × `height` CSS pixels, as far as MiniBrowser
    // goes; it has no touch, mobile or pixel ratio emulation.
    async setViewport({ width, height }) {
        this.frame ??= await this.run(`return [outerWidth - innerWidth, outerHeight - innerHeight];`, []);
        await this.call('POST', '/window/rect', { width: width + this.frame[0], height: height + this.frame[1] });
    }

    // Scripts sent over WebDriver are not governed by the page's Content-Security-Policy.
    async setBypassCSP() {}

    async focus(selector) {
        await this.$eval(selector, (element) => element.focus());
    }

    async click(selector, { clickCount = 1 } = {}) {
        const element = await this.run(`const element = document.querySelector(args[0]);
            if (!element) throw new Error('no element matches ' + args[0]);
            element.scrollIntoView({ block: 'nearest', inline: 'nearest' });
            return element;`, [selector]);
        await this.pointer({ type: 'pointerMove', origin: element, x: 0, y: 0 }, clickCount);
    }

    async pointer(move, count) {
        const presses = Array.from({ length: count }, () => [{ type: 'pointerDown', button: 0 },
                                                              { type: 'pointerUp', button: 0 }]).flat();
        await this.call('POST', '/actions', {
            actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [move, ...presses] }],
        });
    }

    async keys(actions) {
        await this.call('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard', actions }] });
    }

    async close() {
        await this.call('DELETE', '/window');
        this.session.current = null;
    }
}
