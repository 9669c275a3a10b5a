#pragma once

#include "ui/control_table.h"

#include <span>
#include <string_view>

namespace quorel::ui {

enum class MenuLevel {
    Menu,       // on the menu bar, opens the items below it
    Item,       // in the menu above it
    Separator,  // a line in the menu above it
    BarCommand, // directly on the menu bar, without a submenu
};

struct MenuRow {
    std::u16string_view name;
    MenuLevel level;
    std::u16string_view caption;
    std::u16string_view shortcut;
    bool enabled;
};

extern const WindowTable mainWindowTable;
extern const std::span<const MenuRow> mainMenuTable;

} // namespace quorel::ui
