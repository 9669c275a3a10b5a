#include "win32/system_calls.h"

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

} // namespace

const User32Calls &user32Calls() {
    static const User32Calls calls = load<User32Calls>(GetModuleHandleW(L"user32.dll"));
    return calls;
}

const Ole32Calls &ole32Calls() {
    static const Ole32Calls calls = load<Ole32Calls>(LoadLibraryW(L"ole32.dll"));
    return calls;
}

} // namespace quorel::win32
