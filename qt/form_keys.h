#pragma once

#include "form/key_action.h"
#include "form/main_window_table.h"
#include "qt/widget_builder.h"

#include <Qt>

#include <span>

class QWidget;

namespace quorel::qt {

// `key` (Enter or a letter) with the modifiers `held`, as the form's key decisions take it.
form::KeyPress formKeyPress(char16_t key, Qt::KeyboardModifiers held);

// Ctrl+letter on a control of `window`'s table is decided by the form: a text field keeps its
// editing keys (Ctrl+X cuts there), elsewhere a menu row's shortcut runs its command through
// `run`. The menu's own QAction shortcuts then never fire from these controls; they stay on the
// actions so that the menus show them.
void routeCtrlKeysThroughForm(QWidget *window, const form::WindowTable &table,
                              std::span<const form::MenuRow> menu, CommandHandler run);

} // namespace quorel::qt
