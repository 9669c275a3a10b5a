// Runs before the program's own script, in the oldest syntax any browser reads: a browser below
// the page's floor (one that lacks what the page is built on) gets the notice that the calculator
// cannot run there, never a calculator that does not answer. The program's script starts only
// where this found everything.
(function () {
    var root = document.documentElement;
    var able = typeof WebAssembly === 'object' && typeof HTMLDialogElement === 'function' &&
        'inert' in HTMLElement.prototype && typeof AbortController === 'function';
    if (able) {
        root.setAttribute('data-floor', 'met');
        return;
    }
    document.getElementById('desktop').hidden = true;
    document.getElementById('unavailable').hidden = false;
}());
