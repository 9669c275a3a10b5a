#pragma once

// Builds a window's widgets from its table: each control at its place in its font, the focus
// chain in the table's order, and a click on a button forwarded as the row's command.

#include "form/control_table.h"

#include <QRect>

#include <functional>

class QWidget;

namespace quorel::qt {

using CommandHandler = std::function<void(form::Command)>;

// Qt's device-independent pixels are 96 per inch; Qt scales them for the screen.
QRect toQRect(const form::TwipRect &twips);

// Gives `surface` the table's fixed client size and creates every control on it. The window
// itself gets the name, title and default font; `surface` is the window or its central widget.
void buildWindow(QWidget *window, QWidget *surface, const form::WindowTable &table,
                 const CommandHandler &run);

} // namespace quorel::qt
