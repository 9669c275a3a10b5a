#pragma once

#include "ui/shell.h"

#include <QTranslator>

#include <functional>
#include <memory>

class QWidget;

namespace quorel::ui {
class AboutWindow;
class MainWindow;
} // namespace quorel::ui

namespace quorel::app {

// Owns the one instance of each window for the life of the program, moves the user between
// them, shows their message boxes and ends the program.
class AppShell final : public ui::Shell {
  public:
    // Ends the event loop with the given status. Tests pass their own, since ending the real loop
    // would end the test.
    using ExitFunction = std::function<void(int status)>;

    explicit AppShell(ExitFunction exit = &AppShell::exitEventLoop);
    ~AppShell();
    Q_DISABLE_COPY_MOVE(AppShell)

    // Shows the calculator, its fields emptied by its load action, with Text1 focused.
    void start();

    ui::MainWindow *mainWindow() const { return m_main.get(); }
    // Null until the About command first runs.
    ui::AboutWindow *aboutWindow() const { return m_about.get(); }

    void showMessage(QStringView text, QStringView title) override;
    void showWindow(ui::WindowId window) override;
    void hideWindow(ui::WindowId window) override;
    void endProgram() override;
    void reportOverflow() override;

  private:
    static void exitEventLoop(int status);
    QWidget *window(ui::WindowId window);
    QWidget *visibleWindow() const;

    QTranslator m_qtTranslation;
    ExitFunction m_exit;
    std::unique_ptr<ui::MainWindow> m_main;
    std::unique_ptr<ui::AboutWindow> m_about;
};

} // namespace quorel::app
