#pragma once

#include "form/control_table.h"

#include <string>
#include <string_view>

namespace quorel::form {

enum class WindowId {
    Main,  // 主程序, the calculator
    About, // Form1
};
inline constexpr int windowCount = 2;

// What the program asks of the desktop it runs on. Each face implements it with its toolkit;
// the form never touches a window, a message box or the process itself. Every decision (which
// window, in which order) is the form's; the shell carries it out.
class Shell {
  public:
    // A modal box over `owner` with the text, the title, one OK button and no icon. It need not
    // wait for the user: once the user dismissed it, the face calls
    // CalculatorForm::messageDismissed(). The form asks for no second box before that.
    virtual void showMessage(WindowId owner, std::u16string_view text,
                             std::u16string_view title) = 0;
    // Makes a window other than the calculator, hidden; asked once, before the form asks anything
    // else of that window. The calculator exists before the form starts, since the form's first
    // act fills its fields. A face that is asked for a window it was never told to create reports
    // the breach (form/contract.h) rather than making one.
    virtual void createWindow(WindowId window) = 0;
    virtual void showWindow(WindowId window) = 0;
    virtual void hideWindow(WindowId window) = 0;
    // Every window is hidden by then; the face ends its event loop.
    virtual void endProgram() = 0;

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
