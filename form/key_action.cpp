#include "form/key_action.h"

#include <span>
#include <string_view>

namespace quorel::form {

namespace {

// Ctrl with these letters cuts, copies, pastes, undoes, redoes and selects all in a text field.
constexpr std::u16string_view textFieldCtrlLetters = u"XCVZYA";

// The menu whose shortcuts work in `window`: the About window has none.
std::span<const MenuRow> menuOf(WindowId window) {
    return window == WindowId::Main ? mainMenuTable : std::span<const MenuRow>{};
}

KeyAction enterAction(ControlKind focused, Modifier modifiers) {
    if (focused == ControlKind::Button && modifiers == Modifier::None)
        return {KeyResponse::PressFocusedButton};
    return {KeyResponse::Ignore};
}

// Escape does on a window what a desktop user expects of it there: it closes a window that only
// informs, and leaves the calculator, whose close ends the program, alone.
KeyAction escapeAction(WindowId window, Modifier modifiers) {
    // With a modifier, Escape belongs to the system (Ctrl+Esc opens the start menu).
    if (modifiers != Modifier::None)
        return {};
    switch (window) {
    case WindowId::Main:
        return {KeyResponse::Ignore};
    case WindowId::About:
        return {KeyResponse::RequestClose};
    }
    return {KeyResponse::Ignore};
}

} // namespace

KeyAction keyAction(WindowId window, ControlKind focused, KeyPress key) {
    if (key.key == enterKey)
        return enterAction(focused, key.modifiers);
    if (key.key == escapeKey)
        return escapeAction(window, key.modifiers);
    if (key.modifiers != Modifier::Ctrl)
        return {};
    if (focused == ControlKind::TextField &&
        textFieldCtrlLetters.find(key.key) != std::u16string_view::npos)
        return {};
    for (const MenuRow &row : menuOf(window)) {
        if (row.shortcut == Shortcut{key.key, key.modifiers} && row.enabled && row.command)
            return {KeyResponse::RunCommand, row.command};
    }
    return {};
}

} // namespace quorel::form
