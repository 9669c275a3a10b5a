#pragma once

#include "form/control_table.h"

#include <optional>
#include <span>
#include <string_view>

namespace quorel::form {

enum class MenuLevel {
    Menu,       // on the menu bar, opens the items below it
    Item,       // in the menu above it
    Separator,  // a line in the menu above it
    BarCommand, // directly on the menu bar, without a submenu
};

// A shortcut is Ctrl with one letter.
struct CtrlShortcut {
    char16_t letter = 0; // 'A' to 'Z'; 0 for none
    explicit operator bool() const { return letter != 0; }
};

struct MenuRow {
    std::u16string_view name;
    MenuLevel level;
    std::u16string_view caption; // '&' marks the access key
    CtrlShortcut shortcut;
    bool enabled;
    std::optional<Command> command;
};

// How menus show a shortcut: "Ctrl+N".
std::u16string shortcutText(CtrlShortcut shortcut);

extern const WindowTable mainWindowTable;
extern const std::span<const MenuRow> mainMenuTable;

} // namespace quorel::form
