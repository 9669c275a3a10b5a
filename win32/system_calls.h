#pragma once

// Functions newer than Windows 7, and ole32's, which the program only needs once the first frame
// is on screen: one list, looked up at run time by one loader. Each pointer is null where the
// system lacks the function.

#include <windows.h>

#include <type_traits>

namespace quorel::win32 {

// Each module's functions, as (name, type).
#define QUOREL_USER32_CALLS(CALL)                                                                  \
    CALL(GetDpiForWindow, UINT WINAPI(HWND))                                                       \
    CALL(AdjustWindowRectExForDpi, BOOL WINAPI(RECT *, DWORD, BOOL, DWORD, UINT))                  \
    CALL(SystemParametersInfoForDpi, BOOL WINAPI(UINT, UINT, void *, UINT, UINT))

#define QUOREL_OLE32_CALLS(CALL)                                                                   \
    CALL(CoInitializeEx, HRESULT WINAPI(void *, DWORD))                                            \
    CALL(CoCreateInstance, HRESULT WINAPI(REFCLSID, IUnknown *, DWORD, REFIID, void **))           \
    CALL(CoUninitialize, void WINAPI())

#define QUOREL_DECLARE_CALL(name, ...) std::add_pointer_t<__VA_ARGS__> name = nullptr;

// user32 is loaded with the program: its calls are looked up on first use.
struct User32Calls {
    QUOREL_USER32_CALLS(QUOREL_DECLARE_CALL)
};
// ole32 is loaded on first use: linked in, Wine would load it and its RPC dependencies before the
// program's first frame.
struct Ole32Calls {
    QUOREL_OLE32_CALLS(QUOREL_DECLARE_CALL)
};

#undef QUOREL_DECLARE_CALL

const User32Calls &user32Calls();
const Ole32Calls &ole32Calls();

} // namespace quorel::win32
