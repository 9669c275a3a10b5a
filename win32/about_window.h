#pragma once

#include "win32/table_window.h"

namespace quorel::win32 {

// The About window: its table in a frame without icon or menu.
class AboutWindow final : public TableWindow {
  public:
    AboutWindow(form::CalculatorForm &form, AccessibleNames &names);
};

} // namespace quorel::win32
