#pragma once

#include "form/calculations.h"
#include "form/command.h"
#include "form/shell.h"

namespace quorel::form {

// What the program does: at start-up, on each command and when a window is asked to close.
// A face forwards those events here; the answers come back through the shell and the fields.
class CalculatorForm final {
  public:
    CalculatorForm(Shell &shell, FieldAccess &fields);
    CalculatorForm(const CalculatorForm &) = delete;
    CalculatorForm &operator=(const CalculatorForm &) = delete;

    // The calculator's load action, then the calculator on screen.
    void start();
    void run(Command command);
    // The title bar's close box or the window manager asked `window` to close. The face keeps
    // the window open; what happens to it is up to the shell calls made here.
    void closeRequested(WindowId window);

  private:
    void resetFields();
    void calculate(const CalculationRule &rule);

    Shell &m_shell;
    FieldAccess &m_fields;
};

} // namespace quorel::form
