// A large paste into Quorel.exe's Text1, driven from outside as a user would: Ctrl+V, then End
// and a character, Home, Shift+End and Ctrl+C, select all + Delete. Prints the time of each step,
// whether the program still answers, its working set, and whether any text was lost; then what
// the field's accessible value (MSAA and UI Automation) reports of its length.
//
//   paste_runner KIB UNIT      (beside Quorel.exe, under Wine)
//
// The pasted text is UNIT repeated to KIB × 1024 characters.

#include "form/control_table.h"
#include "win32/tests/program_driver.h"

#include <oleacc.h>
#include <psapi.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

using namespace quorel::win32::testing;
using Clock = std::chrono::steady_clock;

constexpr auto slowest = std::chrono::minutes(10);
int failures = 0;

// Waits while the program is busy with an earlier message.
std::size_t textLength(HWND field) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(field, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 600000, &length);
    return length;
}

std::pair<DWORD, DWORD> selection(HWND field) {
    DWORD start = 0, end = 0;
    SendMessageTimeoutW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end), SMTO_NORMAL, 600000, nullptr);
    return {start, end};
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct WorkingSet {
    long long kib = -1, peakKiB = -1;
};

WorkingSet workingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return {};
    return {static_cast<long long>(counters.WorkingSetSize / 1024),
            static_cast<long long>(counters.PeakWorkingSetSize / 1024)};
}

// Whether the program answers a message within the longest wait of a step.
bool answering(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result) != 0;
}

// Waits until the field has begun painting what changed (its update region is validated when it
// begins), then until the program answers, which is once that painting is done.
bool painted(HWND main, HWND field) {
    const auto end = Clock::now() + slowest;
    while (GetUpdateRect(field, nullptr, FALSE)) {
        if (Clock::now() > end)
            return false;
        Sleep(5);
    }
    return answering(main);
}

// Runs `action`, waits until `done` holds, then until the field is painted and the program
// answers a message again: laying out and painting the field come after the change shows.
// Prints both times with the program's working set.
void step(const char *name, HANDLE process, HWND main, HWND field,
          const std::function<void()> &action, const std::function<bool()> &done) {
    const auto start = Clock::now();
    action();
    const bool held =
        waitUntil(done, std::chrono::duration_cast<std::chrono::milliseconds>(slowest));
    const double seconds = secondsSince(start);
    const bool answers = painted(main, field);
    const double answered = secondsSince(start);
    const WorkingSet memory = workingSet(process);
    std::printf("%-22s done %7.2f s   painted, answering %7.2f s   working set %7lld KiB   "
                "peak %7lld KiB%s%s\n",
                name, seconds, answered, memory.kib, memory.peakKiB, held ? "" : "   NEVER DONE",
                answers ? "" : "   NOT ANSWERING");
    std::fflush(stdout);
    if (!held || !answers)
        ++failures;
}

// The field's whole text, waiting as long as a step may take; nothing if the program never
// answers.
std::optional<std::wstring> fieldText(HWND field) {
    try {
        return windowText(field, std::chrono::duration_cast<std::chrono::milliseconds>(slowest));
    } catch (const std::runtime_error &) {
        return std::nullopt;
    }
}

void expectText(HWND field, const std::wstring &expected, const char *what) {
    const std::optional<std::wstring> actual = fieldText(field);
    if (!actual) {
        std::printf("  NOT ANSWERING %s: the text cannot be read\n", what);
        ++failures;
    } else if (*actual == expected) {
        std::printf("  %s: all %zu characters there\n", what, actual->size());
    } else {
        std::printf("  LOST TEXT %s: %zu characters, expected %zu\n", what, actual->size(),
                    expected.size());
        ++failures;
    }
}

// What a screen reader gets through MSAA: the length of the field's accessible value.
void reportAccessibleValue(HWND field, std::size_t expected) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("MSAA: COM does not start\n");
        return;
    }
    IAccessible *accessible = nullptr;
    HRESULT result = AccessibleObjectFromWindow(field, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void **>(&accessible));
    if (FAILED(result) || !accessible) {
        std::printf("MSAA: no accessible object for the field (0x%08lx)\n",
                    static_cast<unsigned long>(result));
    } else {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR value = nullptr;
        const auto start = Clock::now();
        result = accessible->get_accValue(self, &value);
        const double seconds = secondsSince(start);
        if (FAILED(result) || !value) {
            std::printf("MSAA: get_accValue gives no value (0x%08lx) after %.2f s\n",
                        static_cast<unsigned long>(result), seconds);
        } else {
            const std::size_t length = SysStringLen(value);
            std::printf("MSAA: get_accValue gives %zu of %zu characters in %.2f s%s\n", length,
                        expected, seconds, length == expected ? "" : "   (not the whole text)");
            SysFreeString(value);
        }
        accessible->Release();
    }
    CoUninitialize();
}

// The same through UI Automation's node functions, which Windows exports from
// uiautomationcore.dll (and Wine as well) but MinGW declares only for C.
void reportAutomationValue(HWND field, std::size_t expected) {
    using Node = void *;                 // HUIANODE
    constexpr int valueProperty = 30045; // UIA_ValueValuePropertyId
    using NodeFromHandle = HRESULT(WINAPI *)(HWND, Node *);
    using GetPropertyValue = HRESULT(WINAPI *)(Node, int, VARIANT *);
    using NodeRelease = BOOL(WINAPI *)(Node);
    const HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
    const auto nodeFromHandle = library ? reinterpret_cast<NodeFromHandle>(reinterpret_cast<void *>(
                                              GetProcAddress(library, "UiaNodeFromHandle")))
                                        : nullptr;
    const auto getPropertyValue =
        library ? reinterpret_cast<GetPropertyValue>(
                      reinterpret_cast<void *>(GetProcAddress(library, "UiaGetPropertyValue")))
                : nullptr;
    const auto nodeRelease = library ? reinterpret_cast<NodeRelease>(reinterpret_cast<void *>(
                                           GetProcAddress(library, "UiaNodeRelease")))
                                     : nullptr;
    if (!nodeFromHandle || !getPropertyValue || !nodeRelease) {
        std::printf("UIA: uiautomationcore.dll has no node functions\n");
    } else if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        std::printf("UIA: COM does not start\n");
    } else {
        Node node = nullptr;
        HRESULT result = nodeFromHandle(field, &node);
        if (FAILED(result) || !node) {
            std::printf("UIA: no node for the field (0x%08lx)\n",
                        static_cast<unsigned long>(result));
        } else {
            VARIANT value{};
            const auto start = Clock::now();
            result = getPropertyValue(node, valueProperty, &value);
            const double seconds = secondsSince(start);
            if (FAILED(result) || value.vt != VT_BSTR) {
                std::printf("UIA: the Value property gives no text (0x%08lx, type %u) after "
                            "%.2f s\n",
                            static_cast<unsigned long>(result), unsigned(value.vt), seconds);
            } else {
                const std::size_t length = SysStringLen(value.bstrVal);
                std::printf("UIA: the Value property gives %zu of %zu characters in %.2f s%s\n",
                            length, expected, seconds,
                            length == expected ? "" : "   (not the whole text)");
            }
            VariantClear(&value);
            nodeRelease(node);
        }
        CoUninitialize();
    }
    if (library)
        FreeLibrary(library);
}

} // namespace

int wmain(int argc, wchar_t *argv[]) {
    if (argc != 3 || std::wcstol(argv[1], nullptr, 10) <= 0 || !*argv[2]) {
        std::fprintf(stderr, "usage: paste_runner KIB UNIT\n");
        return 2;
    }
    const std::size_t length = static_cast<std::size_t>(std::wcstol(argv[1], nullptr, 10)) * 1024;
    const std::wstring unit = argv[2];
    std::wstring pasted;
    pasted.reserve(length);
    while (pasted.size() < length)
        pasted += unit;
    pasted.resize(length);
    std::printf("%zu characters of \"%s\" pasted into Text1\n", length, utf8(unit).c_str());

    ProgramRun run;
    const HWND main = run.mainWindow();
    const HWND field = run.field(quorel::form::Field::TargetMass);
    if (!field || !run.tabTo(field)) {
        std::printf("Text1 not found or not focused\n");
        return 1;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    setClipboardText(pasted);

    step(
        "start", process, main, field, [] {}, [] { return true; });
    step(
        "paste (Ctrl+V)", process, main, field, [] { pressWithModifier(VK_CONTROL, 'V'); },
        [&] { return textLength(field) == length; });
    expectText(field, pasted, "after the paste");

    SendMessageW(field, EM_SETSEL, 0, 0);
    step(
        "End", process, main, field, [] { pressKey(VK_END, true); },
        [&] {
            const auto [start, end] = selection(field);
            return start == length && end == length;
        });
    step(
        "a character (x)", process, main, field, [] { pressKey('X'); },
        [&] { return textLength(field) == length + 1; });
    expectText(field, pasted + L'x', "after the character");

    step(
        "Home", process, main, field, [] { pressKey(VK_HOME, true); },
        [&] { return selection(field) == std::pair<DWORD, DWORD>(0, 0); });
    step(
        "Shift+End", process, main, field, [] { pressWithModifier(VK_SHIFT, VK_END); },
        [&] { return selection(field) == std::pair<DWORD, DWORD>(0, DWORD(length + 1)); });
    // Watched without opening the clipboard: the field copies nothing while another program has
    // it open.
    const DWORD clipboardBefore = GetClipboardSequenceNumber();
    step(
        "Ctrl+C", process, main, field, [] { pressWithModifier(VK_CONTROL, 'C'); },
        [&] { return GetClipboardSequenceNumber() != clipboardBefore; });
    const std::size_t copied = clipboardText().size();
    std::printf("  Ctrl+C copied %zu of %zu characters%s\n", copied, length + 1,
                copied == length + 1 ? "" : "   LOST TEXT");
    if (copied != length + 1)
        ++failures;

    reportAccessibleValue(field, length + 1);
    reportAutomationValue(field, length + 1);

    SendMessageW(field, EM_SETSEL, 0, 0);
    step(
        "select all (Ctrl+A)", process, main, field, [] { pressWithModifier(VK_CONTROL, 'A'); },
        [&] { return selection(field) == std::pair<DWORD, DWORD>(0, DWORD(length + 1)); });
    step(
        "Delete", process, main, field, [] { pressKey(VK_DELETE, true); },
        [&] { return textLength(field) == 0; });
    step(
        "a character (x)", process, main, field, [] { pressKey('X'); },
        [&] { return textLength(field) == 1; });
    expectText(field, L"x", "after emptying and typing");

    std::printf("%s\n", failures ? "FAULTS SEEN" : "no text lost, every step done");
    CloseHandle(process);
    return failures ? 1 : 0;
}
