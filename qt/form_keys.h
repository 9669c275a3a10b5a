#pragma once

#include "form/key_action.h"
#include "form/shell.h"
#include "qt/widget_builder.h"

#include <Qt>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

namespace quorel::qt {

// The key of `event` as the form's key decisions take it, with every modifier held; nothing for
// a key the form has no rule for.
std::optional<form::KeyPress> formKeyPress(const QKeyEvent &event);

// Every key the form has a rule for (Enter, Escape, a letter with its modifiers), pressed on a
// control of `window`'s table, is decided by the form and carried out here: a button pressed, a
// shortcut's command through `run`, the close request through `closeRequested`, or nothing. The
// menu's own QAction shortcuts then never fire from these controls; they stay on the actions so
// that the menus show them.
void routeKeysThroughForm(QWidget *surface, const form::WindowTable &table, form::WindowId window,
                          CommandHandler run, std::function<void()> closeRequested);

} // namespace quorel::qt
