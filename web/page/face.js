'use strict';
// The page's side of the web face. It builds both windows and the menu bar from the form's
// tables, forwards every click, key and close request to the form (WebFace), and carries out
// what the form asks through the page object below. Decisions stay in the form.
(() => {
    const MAIN = 0;
    const ABOUT = 1;
    const genericFamilies = new Set(['serif', 'sans-serif', 'monospace']);
    const desktop = document.getElementById('desktop');
    const dialog = document.getElementById('message');
    const ended = document.getElementById('ended');
    let session = null;

    function element(tag, properties = {}, attributes = {}) {
        const node = Object.assign(document.createElement(tag), properties);
        for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
        return node;
    }

    function setFonts(fonts) {
        for (const [code, font] of Object.entries(fonts)) {
            const families = font.families.map((f) => (genericFamilies.has(f) ? f : `"${f}"`));
            document.documentElement.style.setProperty(`--font-${code}`, families.join(', '));
            document.documentElement.style.setProperty(`--points-${code}`, String(font.points));
            document.documentElement.style.setProperty(`--weight-${code}`, String(font.weight));
        }
    }

    // The caption with its access letter underlined, as a desktop menu shows it.
    function captionWithAccessKey(row) {
        const span = element('span');
        if (row.accessIndex < 0) {
            span.textContent = row.caption;
            return span;
        }
        span.append(row.caption.slice(0, row.accessIndex),
                    element('u', { textContent: row.caption[row.accessIndex] }),
                    row.caption.slice(row.accessIndex + 1));
        return span;
    }

    class Session {
        constructor(quorel) {
            this.quorel = quorel;
            this.windows = [];
            this.fields = [];
            this.ended = false;
            this.face = new quorel.WebFace(this);
            this.windows[MAIN] = this.buildWindow(MAIN, quorel.windowTable(MAIN));
            this.keyHandler = (event) => this.onKey(event);
            document.addEventListener('keydown', this.keyHandler, true);
            this.pointerHandler = (event) => {
                if (!event.target.closest('[role="menubar"]')) this.closeMenus();
            };
            document.addEventListener('pointerdown', this.pointerHandler);
            this.dialogHandler = () => this.onMessageClosed();
            dialog.addEventListener('close', this.dialogHandler);
        }

        forward(action) {
            if (!this.ended) action(this.face);
        }

        buildWindow(id, table) {
            const section = element('section', { className: 'window', hidden: true },
                                    { 'aria-labelledby': `title-${id}`, 'data-window': table.name });
            section.style.setProperty('--outer-width', String(table.width + 2));
            const titleBar = element('div', { className: 'title-bar' });
            titleBar.append(element('h1', { id: `title-${id}`, textContent: table.title }),
                            element('button', { type: 'button', tabIndex: -1, textContent: '×',
                                                onclick: () => this.forward((f) => f.closeRequested(id)) },
                                    { 'aria-label': '关闭', 'data-name': 'close' }));
            section.append(titleBar);
            if (id === MAIN) section.append(this.buildMenuBar(this.quorel.menuTable()));

            const client = element('div', { className: 'client' });
            client.style.setProperty('--width', String(table.width));
            client.style.setProperty('--height', String(table.height));
            const byName = new Map();
            for (const row of table.controls) {
                const control = this.buildControl(row);
                control.classList.add('control', row.kind);
                control.dataset.name = row.name;
                for (const key of ['left', 'top', 'width', 'height']) control.style.setProperty(`--${key}`, String(row[key]));
                control.style.setProperty('--family', `var(--font-${row.font})`);
                control.style.setProperty('--points', `var(--points-${row.font})`);
                control.style.setProperty('--weight', `var(--weight-${row.font})`);
                client.append(control);
                byName.set(row.name, control);
            }
            section.append(client);
            desktop.append(section);
            const order = table.focusOrder.map((name) => byName.get(name));
            return { id, table, section, order, lastFocus: order[0] };
        }

        buildControl(row) {
            switch (row.kind) {
            case 'field': {
                const input = element('input', { type: 'text', autocomplete: 'off', spellcheck: false },
                                      { 'aria-label': row.accessibleName, autocapitalize: 'off' });
                this.fields[row.field] = input;
                return input;
            }
            case 'button': {
                const button = element('button', { type: 'button', textContent: row.caption },
                                       { 'aria-label': row.accessibleName });
                if (row.accessibleDescription) button.setAttribute('aria-description', row.accessibleDescription);
                if (row.command >= 0) button.addEventListener('click', () => this.forward((f) => f.run(row.command)));
                return button;
            }
            default:
                return element('div', { textContent: row.caption });
            }
        }

        buildMenuBar(rows) {
            const bar = element('ul', {}, { role: 'menubar', 'aria-label': '菜单栏' });
            let menu = null;
            this.barItems = [];
            for (const row of rows) {
                const li = element('li', {}, { role: row.level === 'separator' ? 'separator' : 'none' });
                if (row.level !== 'separator') {
                    const item = element('button', { type: 'button', tabIndex: -1 }, { role: 'menuitem', 'data-name': row.name });
                    item.append(captionWithAccessKey(row));
                    if (row.shortcutText) {
                        item.append(element('span', { textContent: row.shortcutText }));
                        item.setAttribute('aria-keyshortcuts', row.shortcut);
                    }
                    if (row.accessKey) item.dataset.accessKey = row.accessKey.toUpperCase();
                    if (!row.enabled) item.setAttribute('aria-disabled', 'true');
                    li.append(item);
                    if (row.level === 'menu') {
                        menu = element('ul', { hidden: true }, { role: 'menu', 'aria-label': row.caption });
                        item.setAttribute('aria-haspopup', 'menu');
                        item.setAttribute('aria-expanded', 'false');
                        item.addEventListener('click', () => (menu.hidden ? this.openMenu(item) : this.closeMenus(item)));
                        li.append(menu);
                        item.menu = menu;
                    } else {
                        item.addEventListener('click', () => {
                            if (!row.enabled) return;
                            this.closeMenus();
                            if (row.command >= 0) this.forward((f) => f.run(row.command));
                        });
                    }
                }
                if (row.level === 'menu' || row.level === 'command') {
                    bar.append(li);
                    this.barItems.push(li.firstChild);
                } else {
                    menu.append(li);
                }
            }
            bar.addEventListener('keydown', (event) => this.onMenuKey(event));
            return bar;
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

        window(id) {
            return this.windows[id];
        }

        onKey(event) {
            if (this.ended || dialog.open) return;
            const shown = this.visibleWindow();
            if (!shown) return;
            const letter = /^Key[A-Z]$/.test(event.code) ? event.code.slice(3) : '';
            if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.target.closest('[role="menubar"]')) {
                // Tab walks the window's controls in the form's focus order, round and round.
                const order = shown.order;
                const at = order.indexOf(document.activeElement);
                const step = event.shiftKey ? -1 : 1;
                const next = at < 0 ? order[0] : order[(at + step + order.length) % order.length];
                next.focus();
                event.preventDefault();
            } else if (event.ctrlKey && !event.altKey && !event.shiftKey && letter && shown.id === MAIN) {
                const inField = document.activeElement instanceof HTMLInputElement;
                const command = this.quorel.shortcutCommand(letter.charCodeAt(0), inField);
                if (command < 0) return;
                event.preventDefault();
                this.forward((f) => f.run(command));
            } else if (event.altKey && !event.ctrlKey && letter && shown.id === MAIN) {
                const item = this.barItems.find((i) => i.dataset.accessKey === letter);
                if (!item) return;
                event.preventDefault();
                if (item.menu) this.openMenu(item);
                else item.click();
            } else if (event.key === 'F10' && shown.id === MAIN) {
                event.preventDefault();
                this.barItems[0].focus();
            } else if (event.key === 'Escape' && shown.id === ABOUT) {
                // Escape closes the About window, as its close box does.
                event.preventDefault();
                this.forward((f) => f.closeRequested(ABOUT));
            }
        }

        onMessageClosed() {
            const shown = this.visibleWindow();
            if (shown && shown.lastFocus) shown.lastFocus.focus();
            this.forward((f) => f.messageDismissed());
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
            this.windows[id] = this.buildWindow(id, this.quorel.windowTable(id));
        }

        showWindow(id) {
            const shown = this.window(id);
            shown.section.hidden = false;
            document.title = shown.table.title;
            if (shown.lastFocus) shown.lastFocus.focus();
        }

        hideWindow(id) {
            const hidden = this.window(id);
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
            if (input === document.activeElement) input.setSelectionRange(0, 0);
        }

        rememberFocus() {
            const shown = this.visibleWindow();
            if (shown && shown.order.includes(document.activeElement)) shown.lastFocus = document.activeElement;
        }

        dispose() {
            document.removeEventListener('keydown', this.keyHandler, true);
            document.removeEventListener('pointerdown', this.pointerHandler);
            dialog.removeEventListener('close', this.dialogHandler);
            this.face.delete();
        }
    }

    // A page cannot close its tab: the calculator's windows go, and a plain page says it has
    // ended, with a way to start it again from nothing.
    function end(ending) {
        if (dialog.open) dialog.close();
        desktop.replaceChildren();
        document.title = 'Quorel';
        ended.hidden = false;
        document.getElementById('restart').focus();
        // The form is still inside the call that ended it; it goes once that call has returned.
        setTimeout(() => ending.dispose());
        session = null;
    }

    async function start() {
        ended.hidden = true;
        const quorel = await QuorelModule();
        setFonts(quorel.fontTable());
        session = new Session(quorel);
        session.face.start();
        document.documentElement.dataset.ready = 'true';
    }

    document.getElementById('message-ok').addEventListener('click', () => dialog.close());
    document.getElementById('restart').addEventListener('click', () => {
        delete document.documentElement.dataset.ready;
        start();
    });
    // Focus follows the pointer's click into a field or button; remember it for the way back.
    document.addEventListener('focusin', () => session && session.rememberFocus());
    start();
})();
