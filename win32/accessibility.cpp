#include "win32/accessibility.h"

#include "win32/wide_text.h"

#include <initguid.h>

#include <oleacc.h>

#include <array>

namespace quorel::win32 {

namespace {

// ole32 is loaded when the first name is set: linked in, Wine would load it and its RPC
// dependencies before the program's first frame.
template <typename Function> Function *ole32Function(const char *name) {
    static const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    const FARPROC address = ole32 ? GetProcAddress(ole32, name) : nullptr;
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(address));
}

using CoInitializeExFunction = HRESULT WINAPI(void *, DWORD);
using CoCreateInstanceFunction = HRESULT WINAPI(REFCLSID, IUnknown *, DWORD, REFIID, void **);
using CoUninitializeFunction = void WINAPI();

} // namespace

AccessibleNames::AccessibleNames() = default;

AccessibleNames::~AccessibleNames() {
    if (m_services)
        m_services->Release();
    if (m_comStarted)
        ole32Function<CoUninitializeFunction>("CoUninitialize")();
}

IAccPropServices *AccessibleNames::services() {
    if (!m_started) {
        m_started = true;
        auto *initialize = ole32Function<CoInitializeExFunction>("CoInitializeEx");
        auto *createInstance = ole32Function<CoCreateInstanceFunction>("CoCreateInstance");
        if (!initialize || !createInstance)
            return nullptr;
        m_comStarted = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
        createInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                       reinterpret_cast<void **>(&m_services));
    }
    return m_services;
}

void AccessibleNames::set(HWND control, std::u16string_view name, std::u16string_view description) {
    if (!services())
        return;
    if (!name.empty())
        m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                   wide(name).c_str());
    if (!description.empty())
        m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                   wide(description).c_str());
}

void AccessibleNames::clear(HWND control) {
    if (!m_services)
        return;
    std::array<MSAAPROPID, 2> properties{PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    m_services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties.data(),
                               static_cast<int>(properties.size()));
}

} // namespace quorel::win32
