#pragma once

// Owners for the handles the face creates: each frees its handle when it goes out of scope.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorel::win32 {

template <typename Handle, auto release> struct HandleReleaser {
    void operator()(Handle handle) const { release(handle); }
};

// A handle of type `Handle`, given back with `release`.
template <typename Handle, auto release>
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<Handle, release>>;

using WindowHandle = OwnedHandle<HWND, &DestroyWindow>;
using FontHandle = OwnedHandle<HFONT, &DeleteObject>;
using RegionHandle = OwnedHandle<HRGN, &DeleteObject>;
// A menu handed to a window with SetMenu belongs to that window from then on: release() it there.
using MenuHandle = OwnedHandle<HMENU, &DestroyMenu>;

} // namespace quorel::win32
