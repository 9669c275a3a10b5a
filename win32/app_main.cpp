#include "win32/win32_shell.h"

#include <objbase.h>

// The accessibility layer is a COM service; a failed start of COM only costs the annotations.
extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    {
        quorel::win32::Win32Shell shell;
        status = shell.run();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
