// What a key does, by the window and the control that has the focus: the one decision every face
// carries out.

#include "form/key_action.h"
#include "form/tests/key_table.h"

#include <gtest/gtest.h>

using namespace quorel::form;
using namespace quorel::form::testing;

namespace {

struct KeyActionCase {
    const char *name;
    WindowId window;
    ControlKind focused;
    KeyPress key;
    KeyAction expected;
};

void PrintTo(const KeyActionCase &c, std::ostream *out) {
    *out << c.name;
}

class Keys : public ::testing::TestWithParam<KeyActionCase> {};

TEST_P(Keys, DecideWhatHappens) {
    const KeyActionCase &c = GetParam();
    const KeyAction action = keyAction(c.window, c.focused, c.key);
    EXPECT_EQ(action.response, c.expected.response);
    EXPECT_EQ(action.command, c.expected.command);
}

using enum ControlKind;
constexpr WindowId main = WindowId::Main;
constexpr WindowId about = WindowId::About;
const KeyAction passOn{};
const KeyAction press{KeyResponse::PressFocusedButton};
const KeyAction ignore{KeyResponse::Ignore};
const KeyAction close{KeyResponse::RequestClose};
const KeyAction exitProgram{KeyResponse::RunCommand, Command::ExitFromCalculator};
const KeyAction resetFields{KeyResponse::RunCommand, Command::ResetFields};

const KeyActionCase keyCases[] = {
    {"Enter on a button presses it", main, Button, enter, press},
    {"Enter in a field does nothing", main, TextField, enter, ignore},
    {"Enter off every control does nothing", main, Label, enter, ignore},
    {"Ctrl+Enter on a button is not a press", main, Button, withModifiers(enter, Modifier::Ctrl),
     ignore},
    {"Shift+Enter on a button is not a press", main, Button, withModifiers(enter, Modifier::Shift),
     ignore},
    {"Alt+Enter on a button is not a press", main, Button, withModifiers(enter, Modifier::Alt),
     ignore},
    {"Enter on About's button presses it", about, Button, enter, press},
    {"Escape on the calculator does nothing", main, Button, escape, ignore},
    {"Escape in a field does nothing", main, TextField, escape, ignore},
    {"Escape on About closes it", about, Button, escape, close},
    {"Shift+Escape is the system's", about, Button, withModifiers(escape, Modifier::Shift), passOn},
    {"Ctrl+X in a field cuts", main, TextField, ctrl(u'X'), passOn},
    {"Ctrl+X on a button ends", main, Button, ctrl(u'X'), exitProgram},
    {"Ctrl+X off every control ends", main, Label, ctrl(u'X'), exitProgram},
    {"Ctrl+N in a field empties the fields", main, TextField, ctrl(u'N'), resetFields},
    {"Ctrl+N on a button empties the fields", main, Button, ctrl(u'N'), resetFields},
    {"Ctrl+C in a field copies", main, TextField, ctrl(u'C'), passOn},
    {"Ctrl+V in a field pastes", main, TextField, ctrl(u'V'), passOn},
    {"Ctrl+Z in a field undoes", main, TextField, ctrl(u'Z'), passOn},
    {"Ctrl+A in a field selects all", main, TextField, ctrl(u'A'), passOn},
    {"Ctrl+Q is no shortcut", main, Button, ctrl(u'Q'), passOn},
    {"Ctrl+Alt+X is no shortcut", main, Button, {u'X', Modifier::Ctrl | Modifier::Alt}, passOn},
    {"Ctrl+Shift+X is no shortcut", main, Button, {u'X', Modifier::Ctrl | Modifier::Shift}, passOn},
    {"X alone is typed", main, TextField, {.key = u'X'}, passOn},
};

INSTANTIATE_TEST_SUITE_P(Form, Keys, ::testing::ValuesIn(keyCases));

// The About window has no menu: no letter with Ctrl runs anything there.
TEST(Keys, NoShortcutWithoutAMenu) {
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        EXPECT_EQ(keyAction(about, Button, ctrl(letter)), passOn) << static_cast<char>(letter);
}

// The table every face is tested with says what the user sees; the form's decisions must give
// exactly that.
KeyOutcome outcomeOf(const KeyCase &c, const KeyAction &action) {
    switch (action.response) {
    case KeyResponse::Default:
    case KeyResponse::Ignore:
        return KeyOutcome::Nothing;
    case KeyResponse::PressFocusedButton:
        return c.window == about ? KeyOutcome::ReturnsToCalculator : KeyOutcome::Calculates;
    case KeyResponse::RequestClose:
        return c.window == about ? KeyOutcome::ReturnsToCalculator : KeyOutcome::EndsProgram;
    case KeyResponse::RunCommand:
        switch (*action.command) {
        case Command::ResetFields:
            return KeyOutcome::EmptiesFields;
        case Command::ExitFromCalculator:
        case Command::EndProgram:
            return KeyOutcome::EndsProgram;
        default:
            break;
        }
    }
    ADD_FAILURE() << c.name << ": no outcome in the face table for this decision";
    return KeyOutcome::Nothing;
}

class FaceKeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FaceKeyTable, IsWhatTheFormDecides) {
    const KeyCase &c = GetParam();
    const ControlKind focused = c.focus == KeyFocus::Field ? TextField : Button;
    EXPECT_EQ(outcomeOf(c, keyAction(c.window, focused, c.key)), c.outcome);
}

INSTANTIATE_TEST_SUITE_P(Form, FaceKeyTable, ::testing::ValuesIn(keyTable),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
