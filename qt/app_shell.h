#pragma once

#include "form/calculator_form.h"
#include "form/shell.h"

#include <QTranslator>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace quorel::qt {

class AboutWindow;
class MainWindow;

// Owns the one instance of each window for the life of the program, shows and hides them,
// shows their message boxes, gives the form the calculator's fields and ends the program.
class AppShell final : public form::Shell, public form::FieldAccess {
  public:
    // Ends the event loop with the given status. Tests pass their own, since ending the real loop
    // would end the test.
    using ExitFunction = std::function<void(int status)>;

    explicit AppShell(ExitFunction exit = &AppShell::exitEventLoop);
    ~AppShell();
    Q_DISABLE_COPY_MOVE(AppShell)

    // Shows the calculator, its fields emptied by its load action, with Text1 focused.
    void start();

    MainWindow *mainWindow() const { return m_main.get(); }
    // Null until the About command first runs.
    AboutWindow *aboutWindow() const { return m_about.get(); }
    const form::CalculatorForm &form() const { return m_form; }

    void showMessage(form::WindowId owner, std::u16string_view text,
                     std::u16string_view title) override;
    void createWindow(form::WindowId window) override;
    void showWindow(form::WindowId window) override;
    void hideWindow(form::WindowId window) override;
    void endProgram() override;

    std::u16string text(form::Field field) const override;
    void setText(form::Field field, std::u16string_view text) override;

  private:
    static void exitEventLoop(int status);
    QWidget *window(form::WindowId window);

    QTranslator m_qtTranslation;
    ExitFunction m_exit;
    form::CalculatorForm m_form{*this, *this};
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<AboutWindow> m_about;
    // One box for every message of the program's life: each new box would keep memory Qt never
    // gives back. Declared last, so it goes before the window it sits on.
    std::unique_ptr<QMessageBox> m_box;
};

} // namespace quorel::qt
