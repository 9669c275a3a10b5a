#pragma once

#include "form/control_table.h"

namespace quorel::form {

// Where a window goes on screen. `frame` is the whole window, frame included, at the place it asks
// for; `available` is the part of the screen it lands on that windows may use (without a task
// bar). A window that fits stays where it is. Otherwise it moves the least distance that brings it
// inside; one wider or taller than the area keeps its left or top edge at the area's, so its title
// bar can still be reached and dragged. The size never changes.
PixelRect keptOnScreen(PixelRect frame, PixelRect available);

} // namespace quorel::form
