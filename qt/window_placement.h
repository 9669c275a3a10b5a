#pragma once

// Where the windows go on screen: at the table's design position, kept where the user can see
// and reach the whole window.

#include "form/control_table.h"

class QWidget;

namespace quorel::qt {

// Moves a window, frame included, to the table's design position; done before it first shows.
void placeWindow(QWidget *window, const form::WindowTable &table);

// Moves a window that is on screen the least distance that brings it, frame included, inside the
// available area of the screen it lies on, as form::keptOnScreen decides. The frame is known only
// once the window shows, so this is done each time it has been shown.
void keepOnScreen(QWidget *window);

} // namespace quorel::qt
