#include "win32/accessibility.h"

#include "win32/wide_text.h"

#include <initguid.h>

#include <oleacc.h>

#include <array>

namespace quorel::win32 {

AccessibleNames::AccessibleNames() {
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void **>(&m_services));
}

AccessibleNames::~AccessibleNames() {
    if (m_services)
        m_services->Release();
}

void AccessibleNames::set(HWND control, std::u16string_view name, std::u16string_view description) {
    if (!m_services)
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
