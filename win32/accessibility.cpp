#include "win32/accessibility.h"

#include "win32/system_calls.h"
#include "win32/wide_text.h"

#include <initguid.h>

#include <oleacc.h>

#include <array>

namespace quorel::win32 {

AccessibleNames::AccessibleNames() = default;

AccessibleNames::~AccessibleNames() = default;

AccessibleNames::ComApartment::~ComApartment() {
    if (m_started)
        ole32Calls().CoUninitialize();
}

bool AccessibleNames::ComApartment::start() {
    auto *initialize = ole32Calls().CoInitializeEx;
    // S_FALSE: already started on this thread, which still takes a CoUninitialize.
    m_started = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    return m_started;
}

IAccPropServices *AccessibleNames::services() {
    if (!m_tried) {
        m_tried = true;
        auto *createInstance = ole32Calls().CoCreateInstance;
        if (!createInstance || !m_com.start())
            return nullptr;
        if (FAILED(createInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices,
                                  reinterpret_cast<void **>(m_services.ReleaseAndGetAddressOf()))))
            m_services.Reset();
    }
    return m_services.Get();
}

// A name the layer refuses leaves the control with the one Windows derives from its caption, so
// the program goes on; a refused service is not asked again.
void AccessibleNames::set(HWND control, std::u16string_view name, std::u16string_view description) {
    if (!services())
        return;
    HRESULT result = S_OK;
    if (!name.empty())
        result = m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                            wide(name).c_str());
    if (SUCCEEDED(result) && !description.empty())
        result = m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                            PROPID_ACC_DESCRIPTION, wide(description).c_str());
    if (result == E_OUTOFMEMORY || result == RPC_E_WRONG_THREAD)
        m_services.Reset();
}

void AccessibleNames::clear(HWND control) {
    if (!m_services)
        return;
    std::array<MSAAPROPID, 2> properties{PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    // Its result changes nothing: the control goes with its window either way.
    static_cast<void>(m_services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF,
                                                 properties.data(),
                                                 static_cast<int>(properties.size())));
}

} // namespace quorel::win32
