#pragma once

// Per-monitor DPI on the Windows versions that have it, the system DPI on older ones. The
// functions that came after Windows 7 are looked up at run time, so the program starts there.

#include <windows.h>

namespace quorel::win32 {

inline constexpr UINT designDpi = 96;

// The DPI the window is drawn at.
UINT windowDpi(HWND window);
// The DPI of the primary monitor when the session started, which is what windows get first.
UINT systemDpi();
// The window rectangle whose client area is `client`, at `dpi`.
RECT windowRectForClient(const RECT &client, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi);
// The system's message font, sized for `dpi`.
LOGFONTW messageFont(UINT dpi);

} // namespace quorel::win32
