#pragma once

#include "form/command.h"
#include "form/control_table.h"
#include "form/main_window_table.h"
#include "form/shell.h"

#include <optional>

namespace quorel::form {

inline constexpr char16_t enterKey = u'\r';    // either Enter key of the keyboard
inline constexpr char16_t escapeKey = u'\x1b'; // Esc

// A key as a face translates its key event: Enter, Escape, or a letter 'A' to 'Z', with the
// modifiers held. A face passes the modifiers as they are; the form decides which count.
struct KeyPress {
    char16_t key = 0;
    Modifier modifiers = Modifier::None;
};

enum class KeyResponse {
    Default,            // the focused control and the toolkit handle the key as they always do
    PressFocusedButton, // as a click on it
    Ignore,             // nothing happens; the toolkit must not act on the key either
    RunCommand,         // a menu row's shortcut
    RequestClose,       // as the window's close box: CalculatorForm::closeRequested(window)
};

struct KeyAction {
    KeyResponse response = KeyResponse::Default;
    std::optional<Command> command = {}; // for RunCommand
    friend bool operator==(const KeyAction &, const KeyAction &) = default;
};

// What a key does in `window`, the focus on a control of kind `focused` (a face whose focus is
// on none of the table's controls passes Label). Enter alone presses a focused button; Enter
// anywhere else, or with a modifier, does nothing. Escape closes the About window as its close
// box does and does nothing on the calculator. A text field keeps its editing keys (Ctrl+X cuts
// there); elsewhere the window's menu shortcuts run their commands.
KeyAction keyAction(WindowId window, ControlKind focused, KeyPress key);

} // namespace quorel::form
