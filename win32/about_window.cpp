#include "win32/about_window.h"

#include "form/about_window_table.h"

namespace quorel::win32 {

namespace {

// WS_EX_DLGMODALFRAME keeps the title bar free of an icon.
constexpr WindowLook aboutLook{
    .className = L"Quorel.Form1",
    .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
    .exStyle = WS_EX_DLGMODALFRAME,
    .icon = nullptr,
    .smallIcon = nullptr,
    .menu = nullptr,
};

} // namespace

AboutWindow::AboutWindow(form::CalculatorForm &form, AccessibleNames &names)
    : TableWindow(form::aboutWindowTable, form::WindowId::About, aboutLook, form, names) {}

} // namespace quorel::win32
