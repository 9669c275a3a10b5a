#pragma once

#include <windows.h>

namespace quorel::win32 {

// One C++ object per window: CreateWindowExW hands `this` over in WM_NCCREATE, the window keeps
// it in GWLP_USERDATA, and the static procedure forwards every later message to the object.
class WindowBase {
  public:
    WindowBase(const WindowBase &) = delete;
    WindowBase &operator=(const WindowBase &) = delete;

  protected:
    WindowBase() = default;
    ~WindowBase() = default;

    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Registers the class on first use; the procedure is the trampoline below.
    static void registerClass(const wchar_t *className, HICON icon, HICON smallIcon);
    // Messages sent while the object is going away must no longer reach it.
    static void detach(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

inline void WindowBase::registerClass(const wchar_t *className, HICON icon, HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, className, &windowClass))
        return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowBase::procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

inline LRESULT CALLBACK WindowBase::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<WindowBase *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        detach(window);
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(window, message, wParam, lParam);
}

} // namespace quorel::win32
