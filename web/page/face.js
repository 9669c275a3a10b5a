// The page's side of the web face. The windows and the menu bar arrive drawn, written from the
// form's tables when the page was built; this script takes them over, forwards every click, key
// and close request to the program in WebAssembly, and carries out what the program asks through
// the page object below. Decisions stay in the form.
const MAIN = 0;
const dialog = document.getElementById('message');
const ended = document.getElementById('ended');
let desktop = document.getElementById('desktop');
// The windows as the page arrived (untouched: the desktop is inert until the program runs); a
// restart starts again from these.
const pristine = desktop.cloneNode(true);
let compiled = null;
let webAssemblyAllowed = null;
let session = null;
let lastFocused = null;

// The key pressed. WebKitGTK names Tab pressed with Shift "Unidentified"; its code still says Tab.
const keyOf = (event) => (event.key === 'Unidentified' ? event.code : event.key);

const isField = (element) => element?.dataset?.field !== undefined;

// WebKit keeps at most 524,288 characters in an <input>: what is typed or pasted beyond them is
// dropped without a word, and a longer value is cut. A <textarea> keeps any length. Where the
// browser cuts, a field about to take a longer text becomes a one-line textarea first, the same
// field in every other way. (Whether it cuts is asked only then: the question costs milliseconds.)
const INPUT_LIMIT = 524288;
let inputsCut = null;

// A line break in text for a one-line field becomes a space, as a text field makes it.
const oneLine = (text) => text.replace(/\r\n|[\r\n]/g, ' ');

function inputsCutLongText() {
    if (inputsCut === null) {
        const probe = document.createElement('input');
        probe.value = '0'.repeat(INPUT_LIMIT + 1);
        inputsCut = probe.value.length <= INPUT_LIMIT;
    }
    return inputsCut;
}

// A textarea that acts as a one-line field: a single-line text box to assistive technology, no
// line wrapping, Enter makes no new line, and a line break typed, pasted or dropped into it
// becomes a space, as a text field makes it.
function oneLineTextArea(input) {
    const area = document.createElement('textarea');
    for (const { name, value } of input.attributes) if (name !== 'type' && name !== 'value') area.setAttribute(name, value);
    area.setAttribute('role', 'textbox');
    area.setAttribute('aria-multiline', 'false');
    area.rows = 1;
    area.wrap = 'off';
    area.value = input.value;
    area.addEventListener('beforeinput', (event) => {
        if (event.inputType === 'insertLineBreak' || event.inputType === 'insertParagraph') event.preventDefault();
    });
    area.addEventListener('paste', (event) => {
        const text = event.clipboardData.getData('text/plain');
        if (!/[\r\n]/.test(text)) return;
        event.preventDefault();
        document.execCommand('insertText', false, oneLine(text));
    });
    area.addEventListener('input', () => {
        if (!/[\r\n]/.test(area.value)) return;
        const caret = area.selectionEnd;
        area.value = oneLine(area.value);
        area.setSelectionRange(caret, caret);
    });
    input.replaceWith(area);
    return area;
}

function moduleBytes() {
    const base64 = document.getElementById('module-bytes').textContent.trim();
    // Where the browser decodes base64 into bytes itself, it is several times faster than this
    // script's loop.
    if (typeof Uint8Array.fromBase64 === 'function') return Uint8Array.fromBase64(base64);
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
}

class Session {
    constructor(quorel) {
        this.quorel = quorel;
        this.windows = [];
        this.fields = [];
        this.ended = false;
        quorel.quorelPage = this;
        // The form fills the main window's fields before it asks for the window.
        this.windows[MAIN] = this.adoptWindow(MAIN);
        // What outlives this session's windows, all removed together when it ends.
        this.listening = new AbortController();
        const { signal } = this.listening;
        document.addEventListener('keydown', (event) => this.onKey(event), { capture: true, signal });
        document.addEventListener('pointerdown', (event) => {
            if (!event.target.closest('[role="menubar"]')) this.closeMenus();
        }, { signal });
        dialog.addEventListener('close', () => this.onMessageClosed(), { signal });
        document.addEventListener('paste', (event) => this.beforeLongText(event, event.clipboardData?.getData('text/plain')),
                                  { capture: true, signal });
        document.addEventListener('beforeinput', (event) => {
            if (event.inputType === 'insertText' || event.inputType === 'insertReplacementText') this.beforeLongText(event, event.data);
        }, { capture: true, signal });
    }

    // Text about to go into a field: where it would make the field as long as this browser's
    // <input> keeps, the field becomes a textarea and the text goes there, as typed or pasted
    // (a line break becomes a space, as in a text field). Typed text reaching the limit may
    // arrive already cut to what fits; a paste's text comes whole from the clipboard.
    beforeLongText(event, text) {
        const input = event.target;
        if (!(input instanceof HTMLInputElement) || !isField(input) || !text) return;
        const { selectionStart: start, selectionEnd: end } = input;
        if (input.value.length - (end - start) + text.length < INPUT_LIMIT || !inputsCutLongText()) return;
        event.preventDefault();
        const area = oneLineTextArea(input);
        this.fields[Number(area.dataset.field)] = area;
        for (const shown of this.windows) {
            if (!shown) continue;
            shown.order = shown.order.map((element) => (element === input ? area : element));
            if (shown.lastFocus === input) shown.lastFocus = area;
        }
        area.focus();
        area.setSelectionRange(start, end);
        document.execCommand('insertText', false, oneLine(text));
    }

    run(command) {
        if (!this.ended) this.quorel._quorel_run(command);
    }

    closeRequested(id) {
        if (!this.ended) this.quorel._quorel_close_requested(id);
    }

    // Takes over a window as drawn (made from its template first, where the page holds one): its
    // close box, its menu bar, every field, and every button with the command the markup gave it.
    adoptWindow(id) {
        if (!document.getElementById(`window-${id}`)) {
            desktop.append(desktop.querySelector(`template[data-window-template="${id}"]`).content.cloneNode(true));
        }
        const section = document.getElementById(`window-${id}`);
        section.querySelector('.title-bar [data-name="close"]').addEventListener('click', () => this.closeRequested(id));
        const menuBar = section.querySelector('[role="menubar"]');
        if (menuBar) this.adoptMenuBar(menuBar);
        const client = section.querySelector('.client');
        for (const field of client.querySelectorAll('[data-field]')) this.fields[Number(field.dataset.field)] = field;
        for (const button of client.querySelectorAll('button[data-command]')) {
            const command = Number(button.dataset.command);
            button.addEventListener('click', () => this.run(command));
        }
        const order = [...client.querySelectorAll('[data-tab]')].sort((a, b) => a.dataset.tab - b.dataset.tab);
        return { id, section, title: section.querySelector('h1').textContent, order, lastFocus: order[0] };
    }

    adoptMenuBar(bar) {
        this.barItems = [...bar.children].map((li) => li.firstElementChild);
        for (const item of bar.querySelectorAll('[role="menuitem"]')) {
            if (item.getAttribute('aria-haspopup') === 'menu') {
                const menu = item.nextElementSibling;
                item.menu = menu;
                item.addEventListener('click', () => (menu.hidden ? this.openMenu(item) : this.closeMenus(item)));
            } else {
                item.addEventListener('click', () => {
                    if (item.getAttribute('aria-disabled') === 'true') return;
                    this.closeMenus();
                    if (item.dataset.command !== undefined) this.run(Number(item.dataset.command));
                });
            }
        }
        bar.addEventListener('keydown', (event) => this.onMenuKey(event));
    }

    menuItems(menu) {
        return [...menu.querySelectorAll('[role="menuitem"]')];
    }

    openMenu(barItem, focusFirst = true) {
        this.closeMenus();
        barItem.setAttribute('aria-expanded', 'true');
        barItem.menu.hidden = false;
        this.openBarItem = barItem;
        (focusFirst ? this.menuItems(barItem.menu)[0] : barItem).focus();
    }

    closeMenus(focusBack) {
        for (const item of this.barItems || []) {
            if (item.menu) {
                item.menu.hidden = true;
                item.setAttribute('aria-expanded', 'false');
            }
        }
        this.openBarItem = null;
        if (focusBack) focusBack.focus();
    }

    leaveMenuBar() {
        this.closeMenus();
        const main = this.windows[MAIN];
        (main.lastFocus || main.order[0]).focus();
    }

    onMenuKey(event) {
        const bar = this.barItems;
        const current = document.activeElement;
        const inMenu = current.closest('[role="menu"]');
        const barIndex = bar.indexOf(inMenu ? this.openBarItem : current);
        const moveBar = (step) => {
            const next = bar[(barIndex + step + bar.length) % bar.length];
            if (next.menu && inMenu) this.openMenu(next);
            else {
                this.closeMenus();
                next.focus();
            }
        };
        switch (keyOf(event)) {
        case 'ArrowRight': moveBar(1); break;
        case 'ArrowLeft': moveBar(-1); break;
        case 'ArrowDown':
        case 'ArrowUp':
            if (inMenu) {
                const items = this.menuItems(inMenu);
                const step = event.key === 'ArrowDown' ? 1 : -1;
                items[(items.indexOf(current) + step + items.length) % items.length].focus();
            } else if (current.menu) {
                this.openMenu(current);
            }
            break;
        case 'Escape':
            if (inMenu) this.closeMenus(this.openBarItem);
            else this.leaveMenuBar();
            break;
        case 'Tab':
            this.leaveMenuBar();
            break;
        default: {
            const letter = event.key.length === 1 ? event.key.toUpperCase() : '';
            const scope = inMenu ? this.menuItems(inMenu) : bar;
            const target = letter && !event.ctrlKey && scope.find((item) => item.dataset.accessKey === letter);
            if (!target) return;
            target.click();
        }
        }
        event.preventDefault();
        event.stopPropagation();
    }

    visibleWindow() {
        return this.windows.find((w) => w && !w.section.hidden);
    }

    onKey(event) {
        // A key that composes text in an input method is the input method's.
        if (this.ended || dialog.open || event.isComposing) return;
        const shown = this.visibleWindow();
        if (!shown) return;
        const letter = /^Key[A-Z]$/.test(event.code) ? event.code.slice(3) : '';
        const inMenuBar = event.target.closest('[role="menubar"]');
        if (keyOf(event) === 'Tab' && !event.altKey && !event.ctrlKey && !inMenuBar) {
            // Tab walks the window's controls in the form's focus order, round and round.
            const order = shown.order;
            const at = order.indexOf(document.activeElement);
            const step = event.shiftKey ? -1 : 1;
            const next = at < 0 ? order[0] : order[(at + step + order.length) % order.length];
            next.focus();
            // A field reached by Tab has all its text selected and shows its end, where the
            // selection ends; an input does that by itself.
            if (next instanceof HTMLTextAreaElement) {
                next.select();
                next.scrollLeft = next.scrollWidth;
            }
            event.preventDefault();
        } else if (event.altKey && !event.ctrlKey && letter && shown.id === MAIN) {
            const item = this.barItems.find((i) => i.dataset.accessKey === letter);
            if (!item) return;
            event.preventDefault();
            if (item.menu) this.openMenu(item);
            else item.click();
        } else if (event.key === 'F10' && shown.id === MAIN) {
            event.preventDefault();
            this.barItems[0].focus();
        } else if (!(inMenuBar && (event.key === 'Enter' || event.key === 'Escape'))) {
            // In the menu bar Enter and Escape are the menu's own (onMenuKey).
            this.passKey(shown, event, letter);
        }
    }

    // Enter, Escape and the letters (by their place on the keyboard, whatever the layout) go to
    // the program with every modifier held and the control that has the focus; the program
    // decides and acts, and says whether the browser may still act on the key.
    passKey(shown, event, letter) {
        const key = event.key === 'Enter' ? 13 : event.key === 'Escape' ? 27 : letter.charCodeAt(0);
        if (!key) return;
        const focused = document.activeElement;
        const at = shown.order.includes(focused) ? Number(focused.dataset.tab) : -1;
        const flag = (held) => (held ? 1 : 0);
        if (this.quorel._quorel_key(shown.id, at, key, flag(event.ctrlKey), flag(event.shiftKey),
                                    flag(event.altKey), flag(event.repeat))) {
            event.preventDefault();
        }
    }

    onMessageClosed() {
        const shown = this.visibleWindow();
        if (shown && shown.lastFocus) shown.lastFocus.focus();
        if (!this.ended) this.quorel._quorel_message_dismissed();
    }

    // What the form asks of the page.
    showMessage(owner, text, title) {
        this.rememberFocus();
        document.getElementById('message-title').textContent = title;
        document.getElementById('message-text').textContent = text;
        dialog.showModal();
        document.getElementById('message-ok').focus();
    }

    createWindow(id) {
        this.windows[id] ??= this.adoptWindow(id);
    }

    // The form creates a window before it asks anything else of it; a page asked anyway says so
    // loudly rather than making one.
    createdWindow(id) {
        const made = this.windows[id];
        if (!made) throw new Error(`The program asked for window ${id} before creating it`);
        return made;
    }

    showWindow(id) {
        const shown = this.createdWindow(id);
        shown.section.hidden = false;
        document.title = shown.title;
        if (shown.lastFocus) shown.lastFocus.focus();
    }

    hideWindow(id) {
        const hidden = this.createdWindow(id);
        if (hidden.section.contains(document.activeElement) && hidden.order.includes(document.activeElement)) {
            hidden.lastFocus = document.activeElement;
        }
        this.closeMenus();
        hidden.section.hidden = true;
    }

    endProgram() {
        this.ended = true;
        end(this);
    }

    text(field) {
        return this.fields[field].value;
    }

    setText(field, text) {
        const input = this.fields[field];
        input.value = text;
        // A field shows a text wider than itself from its start; one without the focus
        // already does, one with it would show the end, where the caret goes.
        // (Asking the document for its focused element costs more than the rest of a press, so
        // it is asked only of the field that last took the focus.)
        if (input === lastFocused && input === document.activeElement) input.setSelectionRange(0, 0);
    }

    rememberFocus() {
        const shown = this.visibleWindow();
        if (shown && shown.order.includes(document.activeElement)) shown.lastFocus = document.activeElement;
    }

    dispose() {
        this.listening.abort();
        this.quorel.quorelPage = null;
    }
}

// A page cannot close its tab: the calculator's windows go, and a plain page says it has
// ended, with a way to start it again from nothing.
function end(ending) {
    // The form ends nothing while its message is open.
    if (dialog.open) throw new Error('The program ended while its message was open');
    desktop.replaceChildren();
    document.title = ended.dataset.title;
    ended.hidden = false;
    document.getElementById('restart').focus();
    // The form is still inside the call that ended it; it goes once that call has returned.
    setTimeout(() => ending.dispose());
    session = null;
}

// Safari before 16 knows no policy keyword that lets a page run its own WebAssembly, and under
// this page's policy refuses every WebAssembly instance (WebKit compiles a module first, and
// refuses only then). Asking costs an instance of a module of eight bytes.
function policyAllowsWebAssembly() {
    try {
        const empty = new Uint8Array([0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00]);
        new WebAssembly.Instance(new WebAssembly.Module(empty));
        return true;
    } catch {
        return false;
    }
}

// The same program translated to JavaScript, which the page keeps as inert text: run once, as a
// script the policy allows by its hash, it defines the module's factory.
function translatedModule() {
    if (!window.QuorelModuleInJavaScript) {
        const script = document.createElement('script');
        script.textContent = document.getElementById('module-script').textContent;
        document.head.append(script);
    }
    if (!window.QuorelModuleInJavaScript) throw new Error('The program translated to JavaScript did not run');
    return window.QuorelModuleInJavaScript;
}

// A fresh instance of the module (new memory, nothing kept): the WebAssembly, compiled once for
// every start, or where the browser refuses WebAssembly, the program translated to JavaScript.
async function freshInstance() {
    webAssemblyAllowed ??= policyAllowsWebAssembly();
    if (!webAssemblyAllowed) return translatedModule()();
    compiled ??= WebAssembly.compile(moduleBytes());
    const module = await compiled;
    let instantiating = null;
    const ready = QuorelModule({
        instantiateWasm(imports, receive) {
            instantiating = WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
            return {};
        },
    });
    // An instance refused ends the start here, instead of leaving it waiting for ever.
    await instantiating;
    return ready;
}

// Each start runs a fresh instance of the module on fresh windows.
async function start() {
    ended.hidden = true;
    const quorel = await freshInstance();
    session = new Session(quorel);
    desktop.inert = false;
    quorel._quorel_start();
    document.documentElement.dataset.ready = 'true';
}

document.getElementById('message-ok').addEventListener('click', () => dialog.close());
document.getElementById('restart').addEventListener('click', () => {
    delete document.documentElement.dataset.ready;
    const fresh = pristine.cloneNode(true);
    desktop.replaceWith(fresh);
    desktop = fresh;
    startOrSayUnavailable();
});
// Focus follows the pointer's click into a field or button; remember it for the way back.
document.addEventListener('focusin', (event) => {
    lastFocused = event.target;
    if (session) session.rememberFocus();
});
// A field the focus leaves shows its text from the start again (Firefox would leave it scrolled
// to where the caret was).
document.addEventListener('focusout', (event) => {
    if (isField(event.target)) event.target.scrollLeft = 0;
});
// Where the program does not start, rather than leave a calculator drawn that never answers, the
// page says it cannot run here.
function startOrSayUnavailable() {
    return start().catch((error) => {
        desktop.hidden = true;
        document.getElementById('unavailable').hidden = false;
        throw error;
    });
}

// Below the page's floor, the script before this one has said already that it cannot run here.
if (document.documentElement.dataset.floor === 'met') {
    startOrSayUnavailable().then(() => {
        // Served as the site (the page links its manifest), a service worker keeps the site for
        // starts without the network; registered once the calculator answers, so that fetching
        // the site for it takes nothing from the start. A browser that has none, or a page opened
        // from a file, runs as it is.
        if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator) {
            navigator.serviceWorker.register('sw.js').catch(() => {});
        }
    });
}
