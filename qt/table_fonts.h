#pragma once

#include "form/control_table.h"

#include <QFont>

namespace quorel::qt {

// The font of each code of the tables, with Chinese from a Song face.
QFont tableFont(form::FontCode code);

} // namespace quorel::qt
