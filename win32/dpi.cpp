#include "win32/dpi.h"

namespace quorel::win32 {

namespace {

// GetProcAddress gives an untyped address; going through void (*)() keeps the cast explicit.
template <typename Function> Function *user32Function(const char *name) {
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(address));
}

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT *, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL WINAPI(UINT, UINT, void *, UINT, UINT);

} // namespace

UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : designDpi;
}

UINT windowDpi(HWND window) {
    static auto *const getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    return systemDpi();
}

RECT windowRectForClient(const RECT &client, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi) {
    static auto *const adjustForDpi =
        user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect = client;
    if (adjustForDpi)
        adjustForDpi(&rect, style, hasMenu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
    return rect;
}

LOGFONTW messageFont(UINT dpi) {
    static auto *const parametersForDpi =
        user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi &&
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
    return font;
}

} // namespace quorel::win32
