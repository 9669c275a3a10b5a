#pragma once

#include "form/calculator_form.h"
#include "form/shell.h"

#include <string>

namespace quorel::web {

// The program in a web page. The page's script takes over the windows drawn from the tables and
// calls in here (module_exports.cpp) for every click, close request and dismissed message; what
// the program asks back (show a message, show or hide a window, read or write a field, end) goes
// out to the page (page_calls.h), which carries it out on the document.
class WebFace final : form::Shell, form::FieldAccess {
  public:
    WebFace();
    WebFace(const WebFace &) = delete;
    WebFace &operator=(const WebFace &) = delete;

    void start();
    // Commands and windows arrive as the numbers the markup gave the page; any other number is
    // ignored, so a page script cannot drive the form outside its enums.
    void run(int command);
    void closeRequested(int window);
    void messageDismissed();

    struct HeldModifiers {
        bool ctrl = false;
        bool shift = false;
        bool alt = false;
    };
    // A key in `window`, the focus on the control at `focusIndex` of the window's focus order, or
    // on none of them (-1). Enter is 13, Escape 27, a letter its capital. Carries out what the
    // form decides, unless `repeat` (a key held down); returns whether the program took the key,
    // so that the browser must not act on it.
    bool key(int window, int focusIndex, int key, HeldModifiers modifiers, bool repeat);

  private:
    void showMessage(form::WindowId owner, std::u16string_view text,
                     std::u16string_view title) override;
    void createWindow(form::WindowId window) override;
    void showWindow(form::WindowId window) override;
    void hideWindow(form::WindowId window) override;
    void endProgram() override;

    std::u16string text(form::Field field) const override;
    void setText(form::Field field, std::u16string_view text) override;

    form::CalculatorForm m_form;
};

} // namespace quorel::web
