#include "win32/system_calls.h"

#include <string>

namespace quorel::win32 {

namespace {

// GetProcAddress gives an untyped address; going through void (*)() keeps the cast explicit.
template <typename Function> void lookUp(HMODULE module, const char *name, Function *&function) {
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    function = reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(address));
}

#define QUOREL_LOOK_UP_CALL(name, ...) lookUp(module, #name, calls.name);

template <typename Calls> Calls load(HMODULE module);

template <> User32Calls load(HMODULE module) {
    User32Calls calls;
    QUOREL_USER32_CALLS(QUOREL_LOOK_UP_CALL)
    return calls;
}

template <> Ole32Calls load(HMODULE module) {
    Ole32Calls calls;
    QUOREL_OLE32_CALLS(QUOREL_LOOK_UP_CALL)
    return calls;
}

#undef QUOREL_LOOK_UP_CALL

// From the system folder only, never from the program's folder or the current one, where a
// planted DLL of the same name would be found first. A Windows 7 without its 2011 loader update
// knows no LOAD_LIBRARY_SEARCH_SYSTEM32; there the DLL is loaded by its full path.
HMODULE loadSystemLibrary(const std::wstring &name) {
    if (const HMODULE module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    std::wstring folder(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size())
        return nullptr;
    folder.resize(length);
    return LoadLibraryW((folder + L'\\' + name).c_str());
}

} // namespace

const User32Calls &user32Calls() {
    static const User32Calls calls = load<User32Calls>(GetModuleHandleW(L"user32.dll"));
    return calls;
}

const Ole32Calls &ole32Calls() {
    static const Ole32Calls calls = load<Ole32Calls>(loadSystemLibrary(L"ole32.dll"));
    return calls;
}

} // namespace quorel::win32
