#pragma once

// How a control of a table window is known from outside: its window class and its control ID.
// The face makes its controls with these, and the window test finds them with the same ones.

#include "form/control_table.h"

namespace quorel::win32 {

// Controls are numbered from here by their row in the table, clear of IDOK and IDCANCEL, which
// IsDialogMessageW sends for Enter and Escape.
inline constexpr int firstControlId = 100;

inline int controlId(const form::WindowTable &table, const form::ControlRow &row) {
    return firstControlId + static_cast<int>(&row - table.controls.data());
}

// The system class each kind of control is made of, as GetClassNameW gives it back.
inline const wchar_t *controlClassName(form::ControlKind kind) {
    switch (kind) {
    case form::ControlKind::Label:
    case form::ControlKind::Paragraph:
        return L"Static";
    case form::ControlKind::TextField:
        return L"Edit";
    case form::ControlKind::Button:
        return L"Button";
    }
    return L"";
}

} // namespace quorel::win32
