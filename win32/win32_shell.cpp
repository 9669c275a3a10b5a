#include "win32/win32_shell.h"

#include "win32/wide_text.h"

namespace quorel::win32 {

namespace {

// The exit status when GetMessageW fails.
constexpr int messageLoopFailed = 2;

} // namespace

// The main window exists before the form starts: the form's first act is to empty its fields.
Win32Shell::Win32Shell() : m_form(*this, m_main), m_main(m_form, m_names) {}

Win32Shell::~Win32Shell() = default;

int Win32Shell::run() {
    m_form.start();
    MSG message;
    while (!m_ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        // -1: the queue could not be read, which must not pass for a normal end.
        if (got == -1)
            return messageLoopFailed;
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (m_main.translateShortcut(message))
            continue;
        // Tab, Shift+Tab and Enter as in any dialog, in whichever window the key is for.
        const HWND window = GetAncestor(message.hwnd, GA_ROOT);
        if (window && IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void Win32Shell::showMessage(std::u16string_view text, std::u16string_view title) {
    MessageBoxW(visibleWindow(), wide(text).c_str(), wide(title).c_str(), MB_OK);
}

void Win32Shell::showWindow(form::WindowId id) {
    window(id).show();
}

void Win32Shell::hideWindow(form::WindowId id) {
    window(id).hide();
}

// Once ended, the loop dispatches nothing more; the windows go when the shell does.
void Win32Shell::endProgram() {
    m_main.hide();
    if (m_about)
        m_about->hide();
    m_ended = true;
    PostQuitMessage(0);
}

void Win32Shell::reportOverflow(std::u16string_view text, std::u16string_view title) {
    showMessage(text, title);
}

TableWindow &Win32Shell::window(form::WindowId id) {
    switch (id) {
    case form::WindowId::Main:
        break;
    case form::WindowId::About:
        if (!m_about)
            m_about = std::make_unique<AboutWindow>(m_form, m_names);
        return *m_about;
    }
    return m_main;
}

HWND Win32Shell::visibleWindow() const {
    if (m_about && m_about->isVisible())
        return m_about->handle();
    return m_main.handle();
}

} // namespace quorel::win32
