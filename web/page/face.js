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
let session = null;
let lastFocused = null;

function moduleBytes() {
    const text = atob(document.getElementById('module-bytes').textContent.trim());
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
        for (const input of client.querySelectorAll('input[data-field]')) this.fields[Number(input.dataset.field)] = input;
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
        switch (event.key) {
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
        if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !inMenuBar) {
            // Tab walks the window's controls in the form's focus order, round and round.
            const order = shown.order;
            const at = order.indexOf(document.activeElement);
            const step = event.shiftKey ? -1 : 1;
            const next = at < 0 ? order[0] : order[(at + step + order.length) % order.length];
            next.focus();
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

// Each start runs a fresh instance of the module (new memory, nothing kept) on fresh windows.
async function start() {
    ended.hidden = true;
    compiled ??= WebAssembly.compile(moduleBytes());
    const module = await compiled;
    const quorel = await QuorelModule({
        instantiateWasm(imports, receive) {
            WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
            return {};
        },
    });
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
    start();
});
// Focus follows the pointer's click into a field or button; remember it for the way back.
document.addEventListener('focusin', (event) => {
    lastFocused = event.target;
    if (session) session.rememberFocus();
});
// A browser without WebAssembly cannot run the program: rather than leave a calculator drawn that
// never answers, say so.
start().catch((error) => {
    desktop.hidden = true;
    document.getElementById('unavailable').hidden = false;
    throw error;
});
