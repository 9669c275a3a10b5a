// The functions the WebAssembly module imports from the page: what the program asks of it goes to
// the page object the page's script put on the module (Module.quorelPage). Texts cross as UTF-16
// code units in the module's memory, copied one for one, so that no text is altered on the way.
// (Emscripten copies each function's source into the loader: they must be function expressions.)
mergeInto(LibraryManager.library, {
    $quorelString: function (at, length) {
        let text = '';
        // In slices: a function takes only so many arguments.
        for (let from = at >> 1, end = from + length; from < end; from += 8192) {
            text += String.fromCharCode.apply(null, HEAPU16.subarray(from, Math.min(from + 8192, end)));
        }
        return text;
    },
    quorel_page_show_message__deps: ['$quorelString'],
    quorel_page_show_message: function (owner, text, textLength, title, titleLength) {
        Module.quorelPage.showMessage(owner, quorelString(text, textLength), quorelString(title, titleLength));
    },
    quorel_page_create_window: function (window) {
        Module.quorelPage.createWindow(window);
    },
    quorel_page_show_window: function (window) {
        Module.quorelPage.showWindow(window);
    },
    quorel_page_hide_window: function (window) {
        Module.quorelPage.hideWindow(window);
    },
    quorel_page_end_program: function () {
        Module.quorelPage.endProgram();
    },
    quorel_page_set_text__deps: ['$quorelString'],
    quorel_page_set_text: function (field, text, length) {
        Module.quorelPage.setText(field, quorelString(text, length));
    },
    $quorelCopy: function (text, to) {
        for (let i = 0, at = to >> 1; i < text.length; ++i) HEAPU16[at + i] = text.charCodeAt(i);
    },
    quorel_page_read_text__deps: ['$quorelCopy'],
    quorel_page_read_text: function (field, to, capacity) {
        const text = Module.quorelPage.text(field);
        if (text.length <= capacity) quorelCopy(text, to);
        else Module.quorelText = text;
        return text.length;
    },
    quorel_page_copy_text__deps: ['$quorelCopy'],
    quorel_page_copy_text: function (to) {
        quorelCopy(Module.quorelText, to);
        Module.quorelText = '';
    },
});
