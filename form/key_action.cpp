#include "form/key_action.h"

#include <string_view>

namespace quorel::form {

namespace {

// Ctrl with these letters cuts, copies, pastes, undoes, redoes and selects all in a text field.
constexpr std::u16string_view textFieldCtrlLetters = u"XCVZYA";

} // namespace

KeyAction keyAction(std::span<const MenuRow> menu, ControlKind focused, KeyPress key) {
    if (key.key == enterKey) {
        if (key.modifiers != Modifier::None)
            return {};
        switch (focused) {
        case ControlKind::Button:
            return {KeyResponse::PressFocusedButton};
        case ControlKind::TextField:
            return {KeyResponse::Ignore};
        case ControlKind::Label:
        case ControlKind::Paragraph:
            return {};
        }
        return {};
    }
    if (key.modifiers != Modifier::Ctrl)
        return {};
    if (focused == ControlKind::TextField &&
        textFieldCtrlLetters.find(key.key) != std::u16string_view::npos)
        return {};
    for (const MenuRow &row : menu) {
        if (row.shortcut == Shortcut{key.key, key.modifiers} && row.enabled && row.command)
            return {KeyResponse::RunCommand, row.command};
    }
    return {};
}

} // namespace quorel::form
