#pragma once

#include <windows.h>

#include <wrl/client.h>

#include <string_view>

struct IAccPropServices;

namespace quorel::win32 {

// Names and descriptions for screen readers, given to the system's accessibility layer (Dynamic
// Annotation). COM and the layer start with the first name set, not with the program. Where the
// system offers none, controls keep the names Windows derives itself.
class AccessibleNames final {
  public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames &) = delete;
    AccessibleNames &operator=(const AccessibleNames &) = delete;

    void set(HWND control, std::u16string_view name, std::u16string_view description);
    // Drops what set() annotated; a control must not outlive its annotations.
    void clear(HWND control);

  private:
    // COM for this thread, from a successful CoInitializeEx to its CoUninitialize.
    class ComApartment {
      public:
        ComApartment() = default;
        ~ComApartment();
        ComApartment(const ComApartment &) = delete;
        ComApartment &operator=(const ComApartment &) = delete;
        bool start();

      private:
        bool m_started = false;
    };

    IAccPropServices *services();

    bool m_tried = false;
    ComApartment m_com; // declared first: it outlives the service
    Microsoft::WRL::ComPtr<IAccPropServices> m_services;
};

} // namespace quorel::win32
