#pragma once

#include "form/calculator_form.h"
#include "form/control_table.h"
#include "form/key_action.h"
#include "win32/font_set.h"
#include "win32/handles.h"
#include "win32/window_base.h"

#include <vector>

namespace quorel::win32 {

class AccessibleNames;

// How a window looks beyond its table: frame, title-bar icon and menu bar.
struct WindowLook {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
    HICON icon; // null: no icon of its own
    HICON smallIcon;
    HMENU menu; // taken over by the window; null for none
};

// Puts the caret of `edit` at its start, which shows a text wider than the field from its start.
void showFromStart(HWND edit);

// A top-level window built from a table: its controls at their places and in their fonts at the
// window's DPI, its focus order, and its events handed to the form. Labels are drawn beneath
// fields and buttons. The window has no behaviour of its own.
class TableWindow : public WindowBase {
  public:
    TableWindow(const form::WindowTable &table, form::WindowId id, const WindowLook &look,
                form::CalculatorForm &form, AccessibleNames &names);
    ~TableWindow();

    HWND handle() const { return m_window.get(); }
    bool isVisible() const { return IsWindowVisible(handle()) != FALSE; }
    void show();
    void hide();
    // A key message for this window that the form has a rule for (Enter, Escape, a letter with
    // its modifiers): the form decides and the window carries it out here, before the dialog
    // manager could take Enter for IDOK and Escape for IDCANCEL. False for a key the form leaves
    // to the control and the system.
    bool translateKey(const MSG &message);

  protected:
    struct Control {
        const form::ControlRow *row;
        HWND window; // a child, destroyed with this window
    };

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Menu choices; the About window has none.
    virtual void onMenuCommand(int /*id*/) {}

    const std::vector<Control> &controls() const { return m_controls; }
    form::CalculatorForm &form() { return m_form; }
    // The control of this window that is `child`; null for any other window.
    const Control *controlOf(HWND child) const;

  private:
    RECT frameAt(UINT dpi) const;
    void createControls();
    void nameControls();
    void layOut(const FontSet &fonts, UINT dpi);
    void keepLabelsOffControls(UINT dpi, bool clearUnclipped);
    void carryOut(const form::KeyAction &action, const Control *focused);

    void onCommand(HWND window, int id, HWND control, UINT notification);
    void onClose(HWND window);
    void onTimer(HWND window, UINT id);
    void onActivate(HWND window, UINT state, HWND other, BOOL minimized);
    HBRUSH onCtlColorStatic(HWND window, HDC dc, HWND control, int type);
    void onDpiChanged(UINT dpi, const RECT &suggested);

    const form::WindowTable &m_table;
    const form::WindowId m_id;
    const WindowLook m_look;
    form::CalculatorForm &m_form;
    AccessibleNames &m_names;
    UINT m_dpi = 96;
    FontSet m_fonts;
    std::vector<Control> m_controls; // focusable ones first, in focus order
    HWND m_lastFocus = nullptr;
    WindowHandle m_window; // last, so it goes before the fonts its controls use
};

} // namespace quorel::win32
