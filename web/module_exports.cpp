// What the page's script calls in the module. One program runs per module instance: the page
// makes a fresh instance for each start, so nothing outlives the program that ended.
#include "web/web_face.h"

#include <emscripten/em_macros.h>

#include <memory>

namespace {

std::unique_ptr<quorel::web::WebFace> program;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void quorel_start() {
    program = std::make_unique<quorel::web::WebFace>();
    program->start();
}

EMSCRIPTEN_KEEPALIVE void quorel_run(int command) {
    if (program)
        program->run(command);
}

EMSCRIPTEN_KEEPALIVE void quorel_close_requested(int window) {
    if (program)
        program->closeRequested(window);
}

EMSCRIPTEN_KEEPALIVE void quorel_message_dismissed() {
    if (program)
        program->messageDismissed();
}

// A key pressed in `window` with the focus on the control at `focusIndex` of its focus order (-1
// for none of them): Enter (13), Escape (27) or a letter 'A' to 'Z', with the modifiers held.
// The program decides what it does and carries it out; a key held down acts once. Returns 1 where
// the page must keep the browser from acting on the key, 0 where the key is the browser's.
EMSCRIPTEN_KEEPALIVE int quorel_key(int window, int focusIndex, int key, int ctrl, int shift,
                                    int alt, int repeat) {
    if (!program)
        return 0;
    return program->key(window, focusIndex, key, {ctrl != 0, shift != 0, alt != 0}, repeat != 0)
               ? 1
               : 0;
}
}
