#include "win32/main_window.h"

#include "form/main_window_table.h"
#include "win32/menu_bar.h"
#include "win32/wide_text.h"

#include <string_view>

namespace quorel::win32 {

namespace {

constexpr int iconId = 1;

WindowLook mainLook() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto icon = [instance](int size) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size,
                                             size, LR_DEFAULTCOLOR));
    };
    return {
        .className = L"Quorel.主程序",
        .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        .exStyle = 0,
        .icon = icon(GetSystemMetrics(SM_CXICON)),
        .smallIcon = icon(GetSystemMetrics(SM_CXSMICON)),
        .menu = buildMenuBar(form::mainMenuTable).release(), // the window's from here on
    };
}

// Keys a text field uses itself: Ctrl+X cuts there rather than running 退出.
bool fieldKeepsKey(HWND focus, const MSG &message) {
    constexpr std::wstring_view editShortcuts = L"XCVZA";
    wchar_t className[8] = {};
    GetClassNameW(focus, className, 8);
    return std::wstring_view(className) == L"Edit" && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
           editShortcuts.find(static_cast<wchar_t>(message.wParam)) != std::wstring_view::npos;
}

} // namespace

MainWindow::MainWindow(form::CalculatorForm &form, AccessibleNames &names)
    : TableWindow(form::mainWindowTable, form::WindowId::Main, mainLook(), form, names),
      m_accelerators(buildAccelerators(form::mainMenuTable)) {
    for (const Control &control : controls()) {
        if (control.row->field)
            m_fields[static_cast<int>(*control.row->field)] = control.window;
    }
}

bool MainWindow::translateShortcut(MSG &message) {
    if (message.hwnd != handle() && !IsChild(handle(), message.hwnd))
        return false;
    if (message.message == WM_KEYDOWN && fieldKeepsKey(GetFocus(), message))
        return false;
    return TranslateAcceleratorW(handle(), m_accelerators.get(), &message) != 0;
}

std::u16string MainWindow::text(form::Field which) const {
    const HWND edit = field(which);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

void MainWindow::setText(form::Field which, std::u16string_view text) {
    const HWND edit = field(which);
    SetWindowTextW(edit, wide(text).c_str());
    // The caret at the start shows a long result from its leading digits.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void MainWindow::onMenuCommand(int id) {
    const form::MenuRow *row = menuRowOf(form::mainMenuTable, id);
    if (row && row->command)
        form().run(*row->command);
}

} // namespace quorel::win32
