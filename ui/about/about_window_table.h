#pragma once

#include "ui/control_table.h"

namespace quorel::ui {

extern const WindowTable aboutWindowTable;

} // namespace quorel::ui
