#include "win32/tests/program_driver.h"

#include "form/main_window_table.h"
#include "win32/control_identity.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace quorel::win32::testing {

namespace {

// Quorel.exe sits beside the test program.
std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Quorel.exe";
}

// The visible top-level windows of `process`, of class `className` (empty: any).
struct TopLevelSearch {
    DWORD process;
    std::wstring_view className;
    std::vector<HWND> found;
};

// Only cheap calls within the process here: the titles are read outside EnumWindows, where a
// failure can be thrown.
BOOL CALLBACK collectTopLevel(HWND window, LPARAM parameter) {
    auto &search = *reinterpret_cast<TopLevelSearch *>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.process && IsWindowVisible(window) &&
        (search.className.empty() || className(window) == search.className))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> topLevels(DWORD process, std::wstring_view className) {
    TopLevelSearch search{process, className, {}};
    EnumWindows(&collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findTopLevel(DWORD process, std::wstring_view className, std::wstring_view title) {
    for (HWND window : topLevels(process, className)) {
        if (title.empty())
            return window;
        try {
            if (windowText(window) == title)
                return window;
        } catch (const std::runtime_error &) {
            // A window closed since it was listed is not the one looked for; any other fails.
            if (IsWindow(window))
                throw;
        }
    }
    return nullptr;
}

// Sends `message` and waits at most `timeout` for the answer; throws if none comes.
LRESULT sendAndWait(HWND window, UINT message, const char *messageName, WPARAM wParam,
                    LPARAM lParam, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                            static_cast<UINT>(timeout.count()), &result))
        return static_cast<LRESULT>(result);
    const DWORD error = GetLastError();
    std::ostringstream problem;
    problem << messageName << " to window 0x" << std::hex
            << reinterpret_cast<std::uintptr_t>(window) << std::dec;
    if (error == ERROR_TIMEOUT)
        problem << " got no answer within " << timeout.count() << " ms";
    else
        problem << " failed (error " << error << ")";
    throw std::runtime_error(problem.str());
}

void sendKey(WORD key, bool up, bool extended) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof input);
}

} // namespace

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::string utf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

std::string utf8(std::u16string_view text) {
    return utf8(std::wstring_view(wide(text)));
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring windowText(HWND window, std::chrono::milliseconds timeout) {
    const auto length = static_cast<std::size_t>(
        sendAndWait(window, WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH", 0, 0, timeout));
    std::wstring text(length + 1, L'\0');
    const auto copied =
        static_cast<std::size_t>(sendAndWait(window, WM_GETTEXT, "WM_GETTEXT", text.size(),
                                             reinterpret_cast<LPARAM>(text.data()), timeout));
    text.resize(std::min(copied, length));
    return text;
}

void setWindowText(HWND window, std::wstring_view text) {
    const std::wstring terminated(text);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

RECT clientRectIn(HWND child, HWND parent) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// Another program may hold the clipboard for a moment.
std::wstring clipboardText() {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }))
        throw std::runtime_error("the clipboard stays busy");
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *locked = static_cast<const wchar_t *>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setClipboardText(std::wstring_view text) {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }))
        throw std::runtime_error("the clipboard stays busy");
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        auto *copy = static_cast<wchar_t *>(GlobalLock(data));
        std::copy(text.begin(), text.end(), copy);
        copy[text.size()] = L'\0';
        GlobalUnlock(data);
        if (!SetClipboardData(CF_UNICODETEXT, data))
            GlobalFree(data);
    }
    CloseClipboard();
}

std::vector<HWND> childrenInZOrder(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

ProgramRun::ProgramRun() {
    std::wstring commandLine = L"\"" + programPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process))
        throw std::runtime_error("Quorel.exe does not start");
    const std::wstring title = wide(form::mainWindowTable.title);
    if (!waitUntil([&] { return (m_main = topLevel(title)) != nullptr && focus() != nullptr; },
                   10000ms))
        throw std::runtime_error(m_main ? "Quorel.exe focuses no control"
                                        : "Quorel.exe shows no window titled " + utf8(title));
}

ProgramRun::~ProgramRun() {
    if (isRunning()) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND ProgramRun::topLevel(std::wstring_view title) const {
    return findTopLevel(m_process.dwProcessId, {}, title);
}

HWND ProgramRun::messageBox() const {
    return findTopLevel(m_process.dwProcessId, L"#32770", {});
}

std::vector<HWND> ProgramRun::messageBoxes() const {
    return topLevels(m_process.dwProcessId, L"#32770");
}

HWND ProgramRun::popupMenu() const {
    return findTopLevel(m_process.dwProcessId, L"#32768", {});
}

HWND ProgramRun::control(HWND window, const form::WindowTable &table, const form::ControlRow &row) {
    return GetDlgItem(window, controlId(table, row));
}

HWND ProgramRun::field(form::Field which) const {
    for (const form::ControlRow &row : form::mainWindowTable.controls) {
        if (row.field == which)
            return control(m_main, form::mainWindowTable, row);
    }
    return nullptr;
}

HWND ProgramRun::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(m_process.dwThreadId, &info);
    return info.hwndFocus;
}

bool ProgramRun::tabTo(HWND target, WORD modifier) const {
    const std::size_t most = childrenInZOrder(GetAncestor(target, GA_ROOT)).size();
    for (std::size_t step = 0; step <= most && focus() != target; ++step) {
        const HWND before = focus();
        if (modifier)
            pressWithModifier(modifier, VK_TAB);
        else
            pressKey(VK_TAB);
        if (!waitUntil([&] { return focus() != before; }))
            return false;
    }
    return focus() == target;
}

bool ProgramRun::isRunning() const {
    return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ProgramRun::exitStatus(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0)
        return std::nullopt;
    DWORD status = 0;
    GetExitCodeProcess(m_process.hProcess, &status);
    return status;
}

void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool bringToFront(HWND window) {
    SetForegroundWindow(window);
    return waitUntil([&] { return GetForegroundWindow() == window; });
}

void pressKey(WORD key, bool extended) {
    sendKey(key, false, extended);
    sendKey(key, true, extended);
}

void pressWithModifier(WORD modifier, WORD key) {
    pressWithModifiers({modifier}, key);
}

void pressWithModifiers(std::initializer_list<WORD> modifiers, WORD key) {
    for (const WORD modifier : modifiers)
        sendKey(modifier, false, false);
    pressKey(key);
    for (const WORD modifier : modifiers)
        sendKey(modifier, true, false);
}

} // namespace quorel::win32::testing
