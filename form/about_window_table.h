#pragma once

#include "form/control_table.h"

namespace quorel::form {

extern const WindowTable aboutWindowTable;

} // namespace quorel::form
