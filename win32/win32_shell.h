#pragma once

#include "form/calculator_form.h"
#include "form/shell.h"
#include "win32/about_window.h"
#include "win32/accessibility.h"
#include "win32/main_window.h"

#include <memory>

namespace quorel::win32 {

// Owns both windows (the About window from its first use on), routes every message box, runs
// the message loop and ends the program.
class Win32Shell final : public form::Shell {
  public:
    Win32Shell();
    ~Win32Shell();
    Win32Shell(const Win32Shell &) = delete;
    Win32Shell &operator=(const Win32Shell &) = delete;

    // Starts the calculator and runs until the program ends; returns the exit status.
    int run();

    void showMessage(form::WindowId owner, std::u16string_view text,
                     std::u16string_view title) override;
    void createWindow(form::WindowId window) override;
    void showWindow(form::WindowId window) override;
    void hideWindow(form::WindowId window) override;
    void endProgram() override;

  private:
    TableWindow *window(form::WindowId id);

    // In this order: the form only keeps a reference to the main window until start(), and the
    // main window is built with a form that already exists.
    AccessibleNames m_names;
    form::CalculatorForm m_form;
    MainWindow m_main;
    std::unique_ptr<AboutWindow> m_about;
    bool m_ended = false;
};

} // namespace quorel::win32
