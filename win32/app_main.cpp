#include "win32/win32_shell.h"

#include <exception>

extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        quorel::win32::Win32Shell shell;
        return shell.run();
    } catch (const std::exception &) {
        // A window the system would not make: the program cannot show itself at all.
        return 1;
    }
}
