#pragma once

#include "form/control_table.h"

#include <string>
#include <string_view>

namespace quorel::form {

enum class WindowId {
    Main,  // 主程序, the calculator
    About, // Form1
};

// What the program asks of the desktop it runs on. Each face implements it with its toolkit;
// the form never touches a window, a message box or the process itself.
class Shell {
  public:
    // Modal over the visible window, one OK button, no icon; returns once the user dismissed it.
    virtual void showMessage(std::u16string_view text, std::u16string_view title) = 0;
    // Creates the window on first use; a window already made keeps its contents.
    virtual void showWindow(WindowId window) = 0;
    virtual void hideWindow(WindowId window) = 0;
    virtual void endProgram() = 0;
    // A number beyond the range of a double was typed or computed. Shown like a message; the
    // program goes on afterwards with every field as it was.
    virtual void reportOverflow(std::u16string_view text, std::u16string_view title) = 0;

  protected:
    ~Shell() = default;
};

// The texts of the calculator's nine fields.
class FieldAccess {
  public:
    virtual std::u16string text(Field field) const = 0;
    // A text wider than its field shows from its first character on.
    virtual void setText(Field field, std::u16string_view text) = 0;

  protected:
    ~FieldAccess() = default;
};

} // namespace quorel::form
