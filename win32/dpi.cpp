#include "win32/dpi.h"

#include "win32/system_calls.h"

namespace quorel::win32 {

UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : designDpi;
}

UINT windowDpi(HWND window) {
    if (auto *const getDpiForWindow = user32Calls().GetDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    return systemDpi();
}

RECT windowRectForClient(const RECT &client, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi) {
    auto *const adjustForDpi = user32Calls().AdjustWindowRectExForDpi;
    RECT rect = client;
    if (adjustForDpi)
        adjustForDpi(&rect, style, hasMenu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
    return rect;
}

LOGFONTW messageFont(UINT dpi) {
    auto *const parametersForDpi = user32Calls().SystemParametersInfoForDpi;
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
