// What a key does, by the control that has the focus: the one decision every face carries out.

#include "form/key_action.h"

#include <gtest/gtest.h>

using namespace quorel::form;

namespace {

struct KeyCase {
    const char *name;
    ControlKind focused;
    KeyPress key;
    KeyAction expected;
};

void PrintTo(const KeyCase &c, std::ostream *out) {
    *out << c.name;
}

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, OnTheCalculator) {
    const KeyCase &c = GetParam();
    const KeyAction action = keyAction(mainMenuTable, c.focused, c.key);
    EXPECT_EQ(action.response, c.expected.response);
    EXPECT_EQ(action.command, c.expected.command);
}

using enum ControlKind;
constexpr KeyPress enter{enterKey};
constexpr KeyPress ctrl(char16_t letter) {
    return {letter, Modifier::Ctrl};
}
const KeyAction passOn{};
const KeyAction press{KeyResponse::PressFocusedButton};
const KeyAction ignore{KeyResponse::Ignore};
const KeyAction exitProgram{KeyResponse::RunCommand, Command::ExitFromCalculator};
const KeyAction resetFields{KeyResponse::RunCommand, Command::ResetFields};

const KeyCase keyCases[] = {
    {"Enter on a button presses it", Button, enter, press},
    {"Enter in a field does nothing", TextField, enter, ignore},
    {"Ctrl+Enter on a button is not a press", Button, {enterKey, Modifier::Ctrl}, passOn},
    {"Shift+Enter on a button is not a press", Button, {enterKey, Modifier::Shift}, passOn},
    {"Ctrl+X in a field cuts", TextField, ctrl(u'X'), passOn},
    {"Ctrl+X on a button ends", Button, ctrl(u'X'), exitProgram},
    {"Ctrl+N in a field empties the fields", TextField, ctrl(u'N'), resetFields},
    {"Ctrl+N on a button empties the fields", Button, ctrl(u'N'), resetFields},
    {"Ctrl+C in a field copies", TextField, ctrl(u'C'), passOn},
    {"Ctrl+V in a field pastes", TextField, ctrl(u'V'), passOn},
    {"Ctrl+Z in a field undoes", TextField, ctrl(u'Z'), passOn},
    {"Ctrl+A in a field selects all", TextField, ctrl(u'A'), passOn},
    {"Ctrl+Q is no shortcut", Button, ctrl(u'Q'), passOn},
    {"Ctrl+Alt+X is no shortcut", Button, {u'X', Modifier::Ctrl | Modifier::Alt}, passOn},
    {"X alone is typed", TextField, {.key = u'X'}, passOn},
};

INSTANTIATE_TEST_SUITE_P(Form, Keys, testing::ValuesIn(keyCases));

// The About window has no menu: no letter with Ctrl runs anything there.
TEST(Keys, NoShortcutWithoutAMenu) {
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        EXPECT_EQ(keyAction({}, Button, ctrl(letter)), passOn) << static_cast<char>(letter);
    EXPECT_EQ(keyAction({}, Button, enter), press);
}

} // namespace
