#pragma once

#include "form/calculations.h"
#include "form/command.h"
#include "form/shell.h"

#include <array>
#include <optional>

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
    // Does nothing while a message is open.
    void run(Command command);
    // The title bar's close box or the window manager asked `window` to close. The face keeps
    // the window open; what happens to it is up to the shell calls made here. Does nothing
    // while a message is open.
    void closeRequested(WindowId window);

    // The user dismissed the message the form asked the shell to show; what the calculation
    // does after its message happens now.
    void messageDismissed();
    // Between Shell::showMessage and messageDismissed(). A face opens no box of its own then.
    bool messageOpen() const { return m_messageOpen; }

    bool windowShown(WindowId window) const { return state(window).shown; }

  private:
    struct WindowState {
        bool created = false;
        bool shown = false;
    };

    void resetFields();
    void calculate(const CalculationRule &rule);
    void showMessage(std::u16string_view text, std::optional<Field> emptyOnDismiss);
    void show(WindowId window);
    void hide(WindowId window);
    void endProgram();
    WindowId visibleWindow() const;
    WindowState &state(WindowId window) { return m_windows[static_cast<std::size_t>(window)]; }
    const WindowState &state(WindowId window) const {
        return m_windows[static_cast<std::size_t>(window)];
    }

    Shell &m_shell;
    FieldAccess &m_fields;
    std::array<WindowState, windowCount> m_windows{WindowState{.created = true}, WindowState{}};
    bool m_messageOpen = false;
    // The field emptied once the open message is dismissed.
    std::optional<Field> m_emptyOnDismiss;
};

} // namespace quorel::form
