#include "win32/main_window.h"

#include "form/main_window_table.h"
#include "win32/menu_bar.h"
#include "win32/wide_text.h"

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

} // namespace

MainWindow::MainWindow(form::CalculatorForm &form, AccessibleNames &names)
    : TableWindow(form::mainWindowTable, form::WindowId::Main, mainLook(), form, names) {
    for (const Control &control : controls()) {
        if (control.row->field)
            m_fields[static_cast<int>(*control.row->field)] = control.window;
    }
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
    showFromStart(edit); // a long result from its leading digits
}

void MainWindow::onMenuCommand(int id) {
    const form::MenuRow *row = menuRowOf(form::mainMenuTable, id);
    if (row && row->command)
        form().run(*row->command);
}

} // namespace quorel::win32
