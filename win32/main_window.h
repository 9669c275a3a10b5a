#pragma once

#include "form/shell.h"
#include "win32/table_window.h"

#include <array>

namespace quorel::win32 {

// The calculator: its table, the menu bar, and the nine fields.
class MainWindow final : public TableWindow, public form::FieldAccess {
  public:
    MainWindow(form::CalculatorForm &form, AccessibleNames &names);

    std::u16string text(form::Field field) const override;
    void setText(form::Field field, std::u16string_view text) override;

  protected:
    void onMenuCommand(int id) override;

  private:
    HWND field(form::Field field) const { return m_fields[static_cast<int>(field)]; }

    std::array<HWND, form::fieldCount> m_fields{};
};

} // namespace quorel::win32
