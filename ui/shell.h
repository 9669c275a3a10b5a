#pragma once

#include <QStringView>

namespace quorel::ui {

enum class WindowId {
    Main,  // 主程序, the calculator
    About, // Form1
};

// What a window asks of the program around it. The windows never touch the application object,
// message boxes or the process themselves; app/ implements this.
class Shell {
  public:
    // Modal, one OK button, no icon; returns once the user has dismissed it.
    virtual void showMessage(QStringView text, QStringView title) = 0;
    // Creates the window on first use; a window already made keeps its contents.
    virtual void showWindow(WindowId window) = 0;
    virtual void hideWindow(WindowId window) = 0;
    virtual void endProgram() = 0;
    // A number beyond the range of a double was typed or computed. Returns after the report.
    virtual void reportOverflow() = 0;

  protected:
    ~Shell() = default;
};

} // namespace quorel::ui
