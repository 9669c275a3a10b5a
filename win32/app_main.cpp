#include "win32/win32_shell.h"

extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    quorel::win32::Win32Shell shell;
    return shell.run();
}
