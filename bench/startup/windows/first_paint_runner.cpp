// Start-up to the first painted frame under Wine (or Windows), seen from outside: the time from
// CreateProcess until the program's window with the calculator's title is visible and neither it
// nor any of its controls has anything left to paint. The programs are started alternately, so
// both meet the same conditions; each is ended after its measurement.
//   first_paint_runner RUNS PROGRAM_A.exe PROGRAM_B.exe

#include "form/main_window_table.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto &search = *reinterpret_cast<Search *>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (process == search.process && IsWindowVisible(window) && search.title == title) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

bool painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetUpdateRect(child, nullptr, FALSE))
            return false;
    }
    return GetWindow(window, GW_CHILD) != nullptr;
}

double firstPaintMilliseconds(const wchar_t *program) {
    std::wstring commandLine = std::wstring(L"\"") + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    const auto &title = quorel::form::mainWindowTable.title;
    Search search{process.dwProcessId, std::wstring(title.begin(), title.end())};
    double elapsed = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        search.found = nullptr;
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found && painted(search.found)) {
            elapsed =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            break;
        }
        Sleep(0);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc != 4) {
        std::fputs("usage: first_paint_runner RUNS PROGRAM_A.exe PROGRAM_B.exe\n", stderr);
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<double> a, b;
    firstPaintMilliseconds(argv[2]); // warms the system's caches for both
    firstPaintMilliseconds(argv[3]);
    for (int i = 0; i < runs; ++i) {
        a.push_back(firstPaintMilliseconds(argv[2]));
        b.push_back(firstPaintMilliseconds(argv[3]));
    }
    if (std::ranges::count(a, -1.0) || std::ranges::count(b, -1.0)) {
        std::fputs("a program showed no painted window within 10 s\n", stderr);
        return 1;
    }
    const double ratio = median(a) / median(b);
    std::wprintf(L"first painted frame, median of %d runs each:\n  %ls: %.1f ms\n  %ls: %.1f ms\n"
                 L"  ratio: %.3f\n",
                 runs, argv[2], median(a), argv[3], median(b), ratio);
    return 0;
}
