#pragma once

// Drives the real Quorel.exe from another process, as a user would: it starts the program, finds
// windows by class and title and controls by their control ID, reads and sets texts through window
// messages, presses buttons and types keys. It never reaches into the program.

#include "form/control_table.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel::win32::testing {

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` has passed; returns whether it held.
bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 5000ms);

// For test output: GoogleTest prints a wide string's Chinese as escapes.
std::string utf8(std::wstring_view text);
std::string utf8(std::u16string_view text);

std::wstring className(HWND window);
// Through WM_GETTEXT, which works across processes. Throws std::runtime_error, naming the window
// and the message, if the window does not answer within `timeout` or is not a window.
std::wstring windowText(HWND window, std::chrono::milliseconds timeout = 5000ms);
void setWindowText(HWND window, std::wstring_view text);
RECT clientRectIn(HWND child, HWND parent);

// The clipboard's text; setting it empties the clipboard first.
std::wstring clipboardText();
void setClipboardText(std::wstring_view text);

// The children of a window in Z order, topmost first.
std::vector<HWND> childrenInZOrder(HWND window);

// One run of Quorel.exe, started on construction and ended (if still running) on destruction.
class ProgramRun {
  public:
    ProgramRun();
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    HWND mainWindow() const { return m_main; }
    // The visible top-level window of this run with `title`, if there is one.
    HWND topLevel(std::wstring_view title) const;
    // The open message box (class #32770) of this run, if there is one.
    HWND messageBox() const;
    // Every open message box of this run.
    std::vector<HWND> messageBoxes() const;
    // The open popup menu (class #32768) of this run, if there is one.
    HWND popupMenu() const;
    // The control made for `row` of `table` in `window`, found by its control ID.
    static HWND control(HWND window, const form::WindowTable &table, const form::ControlRow &row);
    HWND field(form::Field field) const;
    HWND focus() const;
    // Types Tab (with `modifier`, if any) until `target` has the focus, at most once round the
    // window; returns whether it got there.
    bool tabTo(HWND target, WORD modifier = 0) const;
    bool isRunning() const;
    // The exit status once the program has ended, nothing if it still runs after `timeout`.
    std::optional<DWORD> exitStatus(std::chrono::milliseconds timeout = 5000ms) const;

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

// Presses a button the way a mouse click does, without waiting for what it starts.
void click(HWND button);

// Asks for `window` to become the foreground window, the one keys go to, and waits until it is;
// returns whether it got there.
bool bringToFront(HWND window);

// Keys typed into whatever window has the keyboard focus.
void pressKey(WORD key, bool extended = false);
void pressWithModifier(WORD modifier, WORD key);
void pressWithModifiers(std::initializer_list<WORD> modifiers, WORD key);

} // namespace quorel::win32::testing
