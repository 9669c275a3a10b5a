#pragma once

#include "form/shell.h"
#include "win32/table_window.h"

#include <array>

namespace quorel::win32 {

// The calculator: its table, the menu bar with its accelerators, and the nine fields.
class MainWindow final : public TableWindow, public form::FieldAccess {
  public:
    MainWindow(form::CalculatorForm &form, AccessibleNames &names);

    // Runs a menu shortcut for a key message meant for this window; false when it is none or
    // when a text field keeps the key (Ctrl+X cuts there).
    bool translateShortcut(MSG &message);

    std::u16string text(form::Field field) const override;
    void setText(form::Field field, std::u16string_view text) override;

  protected:
    void onMenuCommand(int id) override;

  private:
    HWND field(form::Field field) const { return m_fields[static_cast<int>(field)]; }

    AcceleratorHandle m_accelerators;
    std::array<HWND, form::fieldCount> m_fields{};
};

} // namespace quorel::win32
