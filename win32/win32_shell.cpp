#include "win32/win32_shell.h"

#include "form/contract.h"
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
        // Enter, Escape and the shortcuts as the form decides them, in whichever window the key
        // is for.
        if (m_main.translateKey(message) || (m_about && m_about->translateKey(message)))
            continue;
        // Tab and Shift+Tab as in any dialog.
        const HWND window = GetAncestor(message.hwnd, GA_ROOT);
        if (window && IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// MessageBoxW is modal and returns once the user dismissed the box; the form hears of it then.
// Clicks another program posts to a window behind the box still arrive through the box's own
// loop; the form ignores commands until then, so no second box opens.
void Win32Shell::showMessage(form::WindowId owner, std::u16string_view text,
                             std::u16string_view title) {
    const TableWindow *over = window(owner);
    MessageBoxW(over ? over->handle() : nullptr, wide(text).c_str(), wide(title).c_str(), MB_OK);
    m_form.messageDismissed();
}

void Win32Shell::createWindow(form::WindowId id) {
    if (id == form::WindowId::About && !m_about)
        m_about = std::make_unique<AboutWindow>(m_form, m_names);
}

void Win32Shell::showWindow(form::WindowId id) {
    if (TableWindow *shown = window(id))
        shown->show();
}

void Win32Shell::hideWindow(form::WindowId id) {
    if (TableWindow *hidden = window(id))
        hidden->hide();
}

// Once ended, the loop dispatches nothing more; the windows go when the shell does.
void Win32Shell::endProgram() {
    m_ended = true;
    PostQuitMessage(0);
}

// Null, and the breach reported, for the About window before the form created it.
TableWindow *Win32Shell::window(form::WindowId id) {
    if (id == form::WindowId::Main)
        return &m_main;
    if (!m_about)
        form::contractBroken("the About window was asked for before it was created");
    return m_about.get();
}

} // namespace quorel::win32
