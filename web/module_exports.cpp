// What the page's script calls in the module. One program runs per module instance: the page
// makes a fresh instance for each start, so nothing outlives the program that ended.
#include "form/key_action.h"
#include "form/main_window_table.h"
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

// The command Ctrl+letter runs, or -1, as the form decides: a text field keeps Ctrl+X (cut) to
// itself; everywhere else it runs the menu's 退出.
EMSCRIPTEN_KEEPALIVE int quorel_shortcut_command(int letter, int inTextField) {
    using namespace quorel::form;
    if (letter < 'A' || letter > 'Z')
        return -1;
    const KeyAction action =
        keyAction(WindowId::Main, inTextField ? ControlKind::TextField : ControlKind::Button,
                  {static_cast<char16_t>(letter), Modifier::Ctrl});
    return action.response == KeyResponse::RunCommand && action.command
               ? static_cast<int>(*action.command)
               : -1;
}
}
