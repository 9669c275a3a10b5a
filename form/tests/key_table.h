#pragma once

// The keys every face is tested with, on both windows, with the focus in a field or on a button,
// and what the user sees each of them do. The form's own test checks its key decisions against
// this table, and each face's test presses these keys on its real windows.

#include "form/control_names.h"
#include "form/key_action.h"

#include <ostream>
#include <string_view>

namespace quorel::form::testing {

// Where the focus is when the key is pressed: Text1 or 浓溶液质量计算 on the calculator, 返回 on
// the About window.
enum class KeyFocus { Field, Button };

// What the user sees, with the worked example's inputs in the calculator's fields.
enum class KeyOutcome {
    Nothing,             // every field, the window and the focus as they were; no message
    Calculates,          // 浓溶液质量计算 ran: its result is in Text4
    EmptiesFields,       // 新建 ran: all nine fields are empty
    EndsProgram,         // the program has ended
    ReturnsToCalculator, // the About window is gone and the calculator is back
};

struct KeyCase {
    const char *name;
    WindowId window;
    KeyFocus focus;
    KeyPress key;
    KeyOutcome outcome;
};

inline constexpr KeyPress enter{enterKey};
inline constexpr KeyPress escape{escapeKey};
constexpr KeyPress withModifiers(KeyPress key, Modifier modifiers) {
    return {key.key, modifiers};
}
constexpr KeyPress ctrl(char16_t letter) {
    return {letter, Modifier::Ctrl};
}

inline constexpr KeyCase keyTable[] = {
    {"EnterInAField", WindowId::Main, KeyFocus::Field, enter, KeyOutcome::Nothing},
    {"CtrlEnterInAField", WindowId::Main, KeyFocus::Field, withModifiers(enter, Modifier::Ctrl),
     KeyOutcome::Nothing},
    {"EscapeInAField", WindowId::Main, KeyFocus::Field, escape, KeyOutcome::Nothing},
    {"CtrlNInAField", WindowId::Main, KeyFocus::Field, ctrl(u'N'), KeyOutcome::EmptiesFields},
    {"EnterOnAButton", WindowId::Main, KeyFocus::Button, enter, KeyOutcome::Calculates},
    {"CtrlEnterOnAButton", WindowId::Main, KeyFocus::Button, withModifiers(enter, Modifier::Ctrl),
     KeyOutcome::Nothing},
    {"ShiftEnterOnAButton", WindowId::Main, KeyFocus::Button, withModifiers(enter, Modifier::Shift),
     KeyOutcome::Nothing},
    {"EscapeOnAButton", WindowId::Main, KeyFocus::Button, escape, KeyOutcome::Nothing},
    {"CtrlNOnAButton", WindowId::Main, KeyFocus::Button, ctrl(u'N'), KeyOutcome::EmptiesFields},
    {"CtrlShiftXOnAButton",
     WindowId::Main,
     KeyFocus::Button,
     {u'X', Modifier::Ctrl | Modifier::Shift},
     KeyOutcome::Nothing},
    {"CtrlXOnAButton", WindowId::Main, KeyFocus::Button, ctrl(u'X'), KeyOutcome::EndsProgram},
    {"EnterOnAbout", WindowId::About, KeyFocus::Button, enter, KeyOutcome::ReturnsToCalculator},
    {"CtrlEnterOnAbout", WindowId::About, KeyFocus::Button, withModifiers(enter, Modifier::Ctrl),
     KeyOutcome::Nothing},
    {"EscapeOnAbout", WindowId::About, KeyFocus::Button, escape, KeyOutcome::ReturnsToCalculator},
    {"CtrlNOnAbout", WindowId::About, KeyFocus::Button, ctrl(u'N'), KeyOutcome::Nothing},
    {"CtrlXOnAbout", WindowId::About, KeyFocus::Button, ctrl(u'X'), KeyOutcome::Nothing},
};

// Test output names the case rather than its bytes.
inline void PrintTo(const KeyCase &c, std::ostream *out) {
    *out << c.name;
}

// The name of the control that has the focus.
constexpr std::u16string_view focusedName(const KeyCase &c) {
    if (c.window == WindowId::About)
        return about_names::returnButton;
    return c.focus == KeyFocus::Field ? main_names::fields[0] : main_names::concentrateMassButton;
}

} // namespace quorel::form::testing
