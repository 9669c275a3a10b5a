#pragma once

#include "form/main_window_table.h"
#include "win32/handles.h"

#include <optional>
#include <span>

namespace quorel::win32 {

// Menu items are numbered from here by their row in the menu table; the numbers are what a menu
// choice sends in WM_COMMAND. Shortcut keys go to the form instead (TableWindow::translateKey).
inline constexpr int firstMenuId = 1000;

// The menu bar of the rows: menus with their items, separators and commands on the bar itself,
// the shortcut after a tab in the item's text, disabled rows greyed.
MenuHandle buildMenuBar(std::span<const form::MenuRow> rows);
// The row a menu id stands for.
const form::MenuRow *menuRowOf(std::span<const form::MenuRow> rows, int id);

} // namespace quorel::win32
