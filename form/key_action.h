#pragma once

#include "form/command.h"
#include "form/control_table.h"
#include "form/main_window_table.h"

#include <optional>
#include <span>

namespace quorel::form {

inline constexpr char16_t enterKey = u'\r'; // either Enter key of the keyboard

// A key as a face translates its key event: Enter, or a letter 'A' to 'Z', with the modifiers
// held.
struct KeyPress {
    char16_t key = 0;
    Modifier modifiers = Modifier::None;
};

enum class KeyResponse {
    Default,            // the focused control and the toolkit handle the key as they always do
    PressFocusedButton, // as a click on it
    Ignore,             // nothing happens
    RunCommand,         // a menu row's shortcut
};

struct KeyAction {
    KeyResponse response = KeyResponse::Default;
    std::optional<Command> command = {}; // for RunCommand
    friend bool operator==(const KeyAction &, const KeyAction &) = default;
};

// What a key does in a window with `menu`, the focus on a control of kind `focused`. Enter
// presses a focused button and does nothing in a text field; a text field keeps its editing
// keys (Ctrl+X cuts there), elsewhere a menu shortcut runs its command.
KeyAction keyAction(std::span<const MenuRow> menu, ControlKind focused, KeyPress key);

} // namespace quorel::form
