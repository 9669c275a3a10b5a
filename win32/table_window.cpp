#include "win32/table_window.h"

#include "form/window_placement.h"

#include "win32/accessibility.h"
#include "win32/control_identity.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace quorel::win32 {

namespace {

// Names for screen readers are given once the window has been drawn (a timer's message comes
// after the first WM_PAINT): starting COM and the accessibility layer would delay the first frame.
constexpr UINT_PTR nameControlsTimer = 1;

struct ControlStyle {
    DWORD style;
    DWORD exStyle;
};

ControlStyle controlStyle(form::ControlKind kind) {
    switch (kind) {
    case form::ControlKind::Label:
        return {SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case form::ControlKind::Paragraph:
        return {SS_LEFT | SS_NOPREFIX, 0};
    case form::ControlKind::TextField:
        return {WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case form::ControlKind::Button:
        return {WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0};
    }
    return {};
}

RECT toRect(const form::PixelRect &pixels) {
    return {pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
}

form::PixelRect toPixelRect(const RECT &rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// `frame` moved the least distance that brings it into the work area (the screen without the task
// bar) of the monitor it lies most on, or of the nearest one if it lies on none.
// `modifier` if its key is down, else none.
form::Modifier held(int key, form::Modifier modifier) {
    return (GetKeyState(key) & 0x8000) != 0 ? modifier : form::Modifier::None;
}

// The key of a key message as the form's key decisions take it, with every modifier held.
std::optional<form::KeyPress> formKeyPress(WPARAM virtualKey) {
    char16_t key = 0;
    if (virtualKey == VK_RETURN)
        key = form::enterKey;
    else if (virtualKey == VK_ESCAPE)
        key = form::escapeKey;
    else if (virtualKey >= 'A' && virtualKey <= 'Z')
        key = static_cast<char16_t>(virtualKey);
    else
        return std::nullopt;
    return form::KeyPress{key, held(VK_CONTROL, form::Modifier::Ctrl) |
                                   held(VK_SHIFT, form::Modifier::Shift) |
                                   held(VK_MENU, form::Modifier::Alt)};
}

RECT keptInWorkArea(const RECT &frame) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor))
        return frame;
    return toRect(form::keptOnScreen(toPixelRect(frame), toPixelRect(monitor.rcWork)));
}

} // namespace

void showFromStart(HWND edit) {
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

TableWindow::TableWindow(const form::WindowTable &table, form::WindowId id, const WindowLook &look,
                         form::CalculatorForm &form, AccessibleNames &names)
    : m_table(table), m_id(id), m_look(look), m_form(form), m_names(names) {
    registerClass(look.className, look.icon, look.smallIcon);
    // Made at its place and size for the system DPI; moved only when the monitor it lands on has
    // another DPI.
    const UINT createdDpi = systemDpi();
    const RECT created = frameAt(createdDpi);
    // The handle is taken in WM_NCCREATE, so it is valid for every message the window gets.
    const HWND window = CreateWindowExW(look.exStyle, look.className, wide(table.title).c_str(),
                                        look.style, created.left, created.top,
                                        created.right - created.left, created.bottom - created.top,
                                        nullptr, look.menu, GetModuleHandleW(nullptr), this);
    if (!window) {
        // The system destroyed what it had begun; there is nothing left to own.
        static_cast<void>(m_window.release());
        throw std::runtime_error("CreateWindowExW failed for a top-level window");
    }
    m_dpi = windowDpi(handle());
    if (m_dpi != createdDpi) {
        const RECT frame = frameAt(m_dpi);
        SetWindowPos(handle(), nullptr, frame.left, frame.top, frame.right - frame.left,
                     frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_fonts = FontSet(m_table, m_dpi);
    createControls();
}

// The window rectangle around the table's client area at its design position, moved where needed
// so that the whole window is on screen.
RECT TableWindow::frameAt(UINT dpi) const {
    const RECT client = toRect(form::toPixels(m_table.clientArea, static_cast<int>(dpi)));
    return keptInWorkArea(
        windowRectForClient(client, m_look.style, m_look.exStyle, m_look.menu, dpi));
}

TableWindow::~TableWindow() {
    for (const Control &control : m_controls)
        m_names.clear(control.window);
    detach(handle());
}

void TableWindow::show() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
}

void TableWindow::hide() {
    ShowWindow(handle(), SW_HIDE);
}

// Focusable controls are made first, in focus order, each with WS_TABSTOP: creation order is the
// order Tab follows. Labels come after them, so they lie beneath fields and buttons. Each is made
// at its place and gets its font before the window shows, so nothing is moved or drawn twice.
void TableWindow::createControls() {
    std::vector<const form::ControlRow *> rows = form::focusOrder(m_table);
    for (const form::ControlRow &row : m_table.controls) {
        if (!form::takesFocus(row))
            rows.push_back(&row);
    }

    for (const form::ControlRow *row : rows) {
        const ControlStyle kind = controlStyle(row->kind);
        const int id = controlId(m_table, *row);
        const form::PixelRect box = form::toPixels(row->geometry, static_cast<int>(m_dpi));
        HWND control = CreateWindowExW(
            kind.exStyle, controlClassName(row->kind), wide(row->caption).c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, box.left, box.top, box.width, box.height, handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.font(*row)), FALSE);
        if (row->kind == form::ControlKind::TextField)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // 0: as long as the system allows
        m_controls.push_back({row, control});
    }
    if (!m_controls.empty() && form::takesFocus(*m_controls.front().row))
        m_lastFocus = m_controls.front().window;
    keepLabelsOffControls(m_dpi, false);
    SetTimer(handle(), nameControlsTimer, 0, nullptr);
}

void TableWindow::nameControls() {
    for (const Control &control : m_controls)
        m_names.set(control.window, form::accessibleName(*control.row),
                    form::accessibleDescription(*control.row));
}

void TableWindow::layOut(const FontSet &fonts, UINT dpi) {
    const int scale = static_cast<int>(dpi);
    for (const Control &control : m_controls) {
        const RECT box = toRect(form::toPixels(control.row->geometry, scale));
        SetWindowPos(control.window, nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(*control.row)),
                     FALSE);
    }
    keepLabelsOffControls(dpi, true);
    InvalidateRect(handle(), nullptr, TRUE);
}

// Labels draw transparently and without clipping each other, so a raised "3" may touch the label
// beside it; a region keeps a label off every field and button it overlaps. Labels that overlap
// none need no region, and setting one costs each of them time at start-up; `clearUnclipped`
// drops a region a label no longer needs after its geometry changed.
void TableWindow::keepLabelsOffControls(UINT dpi, bool clearUnclipped) {
    const int scale = static_cast<int>(dpi);
    std::vector<RECT> covering; // fields and buttons, which labels must not draw over
    for (const Control &control : m_controls) {
        if (form::takesFocus(*control.row))
            covering.push_back(toRect(form::toPixels(control.row->geometry, scale)));
    }
    for (const Control &control : m_controls) {
        if (form::takesFocus(*control.row))
            continue;
        const RECT box = toRect(form::toPixels(control.row->geometry, scale));
        RegionHandle region;
        for (const RECT &cover : covering) {
            RECT overlap;
            if (!IntersectRect(&overlap, &cover, &box))
                continue;
            if (!region)
                region.reset(CreateRectRgn(0, 0, box.right - box.left, box.bottom - box.top));
            const RegionHandle hole(CreateRectRgn(overlap.left - box.left, overlap.top - box.top,
                                                  overlap.right - box.left,
                                                  overlap.bottom - box.top));
            CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
        }
        // The window owns the region once it is set.
        if (region || clearUnclipped)
            SetWindowRgn(control.window, region.release(), isVisible());
    }
}

const TableWindow::Control *TableWindow::controlOf(HWND child) const {
    const auto found = std::ranges::find(m_controls, child, &Control::window);
    return found == m_controls.end() ? nullptr : &*found;
}

bool TableWindow::translateKey(const MSG &message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    if (message.hwnd != handle() && !IsChild(handle(), message.hwnd))
        return false;
    const std::optional<form::KeyPress> key = formKeyPress(message.wParam);
    if (!key)
        return false;
    const Control *focused = controlOf(GetFocus());
    const form::KeyAction action =
        form::keyAction(m_id, focused ? focused->row->kind : form::ControlKind::Label, *key);
    if (action.response == form::KeyResponse::Default)
        return false;
    // A key held down acts once; bit 30 says the key was already down.
    const bool repeated = (message.lParam & (LPARAM{1} << 30)) != 0;
    if (!repeated)
        carryOut(action, focused);
    return true;
}

void TableWindow::carryOut(const form::KeyAction &action, const Control *focused) {
    switch (action.response) {
    case form::KeyResponse::Default:
    case form::KeyResponse::Ignore:
        break;
    case form::KeyResponse::PressFocusedButton:
        if (focused && focused->row->command)
            m_form.run(*focused->row->command);
        break;
    case form::KeyResponse::RunCommand:
        m_form.run(*action.command);
        break;
    case form::KeyResponse::RequestClose:
        m_form.closeRequested(m_id);
        break;
    }
}

LRESULT TableWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        m_window.reset(window);
        break;
        HANDLE_MSG(window, WM_COMMAND, onCommand);
        HANDLE_MSG(window, WM_CLOSE, onClose);
        HANDLE_MSG(window, WM_TIMER, onTimer);
        HANDLE_MSG(window, WM_ACTIVATE, onActivate);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, onCtlColorStatic);
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TableWindow::onCommand(HWND, int id, HWND control, UINT notification) {
    if (!control) {
        // Enter and Escape went to the form before the dialog manager could make them IDOK and
        // IDCANCEL (translateKey); nothing else sends those.
        if (id != IDOK && id != IDCANCEL)
            onMenuCommand(id);
        return;
    }
    const Control *source = controlOf(control);
    if (source && notification == BN_CLICKED && source->row->command)
        m_form.run(*source->row->command);
    // A field the focus leaves for another control of the window shows its text from the start
    // again, so a result tabbed through is not left showing its last digits alone. Leaving the
    // window (for a message box or another program) keeps the caret for the user's return.
    if (source && notification == EN_KILLFOCUS && controlOf(GetFocus()))
        showFromStart(control);
}

void TableWindow::onClose(HWND) {
    m_form.closeRequested(m_id);
}

void TableWindow::onTimer(HWND window, UINT id) {
    if (id != nameControlsTimer)
        return;
    KillTimer(window, id);
    nameControls();
}

// A plain window forgets which control had the focus when it is deactivated; bring it back.
void TableWindow::onActivate(HWND, UINT state, HWND, BOOL minimized) {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (controlOf(focus))
            m_lastFocus = focus;
    } else if (!minimized && m_lastFocus) {
        SetFocus(m_lastFocus);
    }
}

HBRUSH TableWindow::onCtlColorStatic(HWND, HDC dc, HWND, int) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// The system chose `suggested` for the monitor the window is now on; it is taken as it is.
void TableWindow::onDpiChanged(UINT dpi, const RECT &suggested) {
    FontSet fonts(m_table, dpi);
    layOut(fonts, dpi);
    m_fonts = std::move(fonts);
    m_dpi = dpi;
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quorel::win32
