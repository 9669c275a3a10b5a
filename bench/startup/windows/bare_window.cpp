// The yardstick for Quorel.exe's start-up: a bare Win32 window with the same controls in the same
// fonts and the same menu, made in one function, with none of the program behind it.

#include "form/main_window_table.h"

#include <windows.h>

#include <cmath>
#include <string>

namespace {

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

HFONT songFont(double points) {
    return CreateFontW(-static_cast<int>(std::lround(points * 96 / 72)), 0, 0, 0, FW_NORMAL, 0, 0,
                       0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
}

} // namespace

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);

    const HFONT fonts[] = {songFont(12), songFont(10.5), songFont(15.75),
                           static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    for (const quorel::form::MenuRow &row : quorel::form::mainMenuTable) {
        if (row.level == quorel::form::MenuLevel::Menu) {
            popup = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                        wide(row.caption).c_str());
        } else {
            AppendMenuW(row.level == quorel::form::MenuLevel::BarCommand ? bar : popup,
                        row.level == quorel::form::MenuLevel::Separator ? MF_SEPARATOR : MF_STRING,
                        1000, wide(row.caption).c_str());
        }
    }
    const auto &table = quorel::form::mainWindowTable;
    RECT frame{203, 173, 203 + 405, 173 + 274};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    HWND window = CreateWindowExW(0, L"BareWindow", wide(table.title).c_str(), style, frame.left,
                                  frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, bar, instance, nullptr);
    for (const quorel::form::ControlRow &row : table.controls) {
        const auto box = quorel::form::toPixels(row.geometry);
        const wchar_t *kind = row.kind == quorel::form::ControlKind::TextField ? L"EDIT"
                              : row.kind == quorel::form::ControlKind::Button  ? L"BUTTON"
                                                                               : L"STATIC";
        HWND control = CreateWindowExW(
            row.kind == quorel::form::ControlKind::TextField ? WS_EX_CLIENTEDGE : 0, kind,
            wide(row.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top,
            box.width, box.height, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts[static_cast<int>(row.font)]), FALSE);
    }
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
