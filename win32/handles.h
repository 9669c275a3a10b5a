#pragma once

// Owners for the handles the face creates: each frees its handle when it goes out of scope.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorel::win32 {

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu handed to a window with SetMenu belongs to that window from then on: release() it there.
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct AcceleratorDestroyer {
    void operator()(HACCEL accelerators) const { DestroyAcceleratorTable(accelerators); }
};
using AcceleratorHandle = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDestroyer>;

} // namespace quorel::win32
