// The real Quorel.exe, driven from outside as a user would drive it.

#include "win32/tests/program_driver.h"

#include "core/messages.h"
#include "form/about_window_table.h"
#include "form/control_names.h"
#include "form/main_window_table.h"
#include "form/tests/key_table.h"
#include "win32/control_identity.h"
#include "win32/dpi.h"
#include "win32/menu_bar.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorel::win32::testing {
namespace {

using form::Field;

const form::ControlRow &mainRow(std::u16string_view name) {
    return *form::findRow(form::mainWindowTable, name);
}

const form::ControlRow &aboutRow(std::u16string_view name) {
    return *form::findRow(form::aboutWindowTable, name);
}

class QuorelExe : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProcessDPIAware();
        m_run = std::make_unique<ProgramRun>();
        // Keys go to the foreground window: a test may type only once the calculator is there.
        ASSERT_TRUE(bringToFront(main())) << "the calculator does not come to the front";
    }

    void TearDown() override {
        // A test that opened a message box dismisses it: nothing is left waiting for the user.
        if (m_run->isRunning()) {
            EXPECT_EQ(m_run->messageBox(), nullptr);
        }
    }

    ProgramRun &run() { return *m_run; }
    HWND main() const { return m_run->mainWindow(); }
    HWND mainControl(std::u16string_view name) {
        return ProgramRun::control(main(), form::mainWindowTable, mainRow(name));
    }
    HWND aboutControl(HWND about, std::u16string_view name) {
        return ProgramRun::control(about, form::aboutWindowTable, aboutRow(name));
    }
    HWND field(Field which) { return run().field(which); }
    // Texts are read as UTF-8, so a failure prints them as they show.
    std::string text(Field which) { return utf8(windowText(field(which))); }
    void setText(Field which, std::wstring_view text) { setWindowText(field(which), text); }

    std::array<std::string, form::fieldCount> allTexts() {
        std::array<std::string, form::fieldCount> texts;
        for (int i = 0; i < form::fieldCount; ++i)
            texts[i] = text(static_cast<Field>(i));
        return texts;
    }

    void enterWorkedExample() {
        setText(Field::TargetMass, L"100");
        setText(Field::TargetPercent, L"10");
        setText(Field::ConcentratePercent, L"98");
        setText(Field::ConcentrateDensity, L"1.84");
        setText(Field::SolventDensity, L"1");
    }

    // Presses the button and waits for its result to appear in `result`.
    void calculate(std::u16string_view button, Field result) {
        setText(result, L"");
        click(mainControl(button));
        ASSERT_TRUE(waitUntil([&] { return !text(result).empty(); }))
            << "no result in Text" << static_cast<int>(result) + 1;
    }

    // Waits for the message box, checks it is a plain 注意 box with `message`, and dismisses it.
    void expectMessageBox(std::u16string_view message) {
        HWND box = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (box = run().messageBox()) != nullptr; }))
            << "no message box";
        EXPECT_EQ(utf8(windowText(box)), utf8(core::messageTitle()));
        EXPECT_EQ(utf8(windowText(GetDlgItem(box, 0xFFFF))), utf8(message));
        std::vector<HWND> buttons;
        for (HWND child : childrenInZOrder(box)) {
            if (!IsWindowVisible(child))
                continue;
            if (className(child) == L"Button")
                buttons.push_back(child);
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (className(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
                EXPECT_EQ(SendMessageW(child, STM_GETICON, 0, 0), 0) << "the box shows an icon";
            }
        }
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(utf8(windowText(buttons.front())), "确定");
        EXPECT_EQ(GetWindow(box, GW_OWNER), main()) << "the box is not over the calculator";
        click(buttons.front());
        ASSERT_TRUE(waitUntil([&] { return run().messageBox() == nullptr; }));
    }

    HWND openAbout() {
        // Keys go to the foreground window; a click posted just before may still be moving the
        // activation, and a key sent meanwhile would be lost.
        EXPECT_TRUE(bringToFront(main())) << "the calculator does not come to the front";
        pressWithModifier(VK_MENU, 'A');
        HWND about = nullptr;
        EXPECT_TRUE(waitUntil([&] {
            return (about = run().topLevel(wide(form::aboutWindowTable.title))) != nullptr &&
                   !IsWindowVisible(main());
        })) << "关于 does not swap the calculator for the About window";
        return about;
    }

    void expectBackAtCalculator(HWND about) {
        EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main()) && !IsWindowVisible(about); }))
            << "the calculator does not come back";
    }

    // Types Tab once and gives the control the focus moved to; the focus not moving is a
    // failure.
    HWND tabOnce(WORD modifier = 0) {
        const HWND before = run().focus();
        if (modifier)
            pressWithModifier(modifier, VK_TAB);
        else
            pressKey(VK_TAB);
        EXPECT_TRUE(waitUntil([&] { return run().focus() != before; }))
            << "Tab leaves the focus on " << utf8(windowText(before));
        return run().focus();
    }

    std::unique_ptr<ProgramRun> m_run;
};

TEST_F(QuorelExe, EveryControlSitsAtItsPlaceWithItsCaption) {
    const int dpi = static_cast<int>(systemDpi());
    for (const form::WindowTable *table : {&form::mainWindowTable, &form::aboutWindowTable}) {
        const HWND window = table == &form::mainWindowTable ? main() : openAbout();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(utf8(windowText(window)), utf8(table->title));
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        EXPECT_EQ((form::PixelRect{origin.x, origin.y, client.right, client.bottom}),
                  form::toPixels(table->clientArea, dpi));
        EXPECT_EQ(childrenInZOrder(window).size(), table->controls.size());
        for (const form::ControlRow &row : table->controls) {
            SCOPED_TRACE(utf8(row.name));
            const HWND control = ProgramRun::control(window, *table, row);
            ASSERT_NE(control, nullptr) << "no control with ID " << controlId(*table, row);
            EXPECT_EQ(utf8(className(control)),
                      utf8(std::wstring_view(controlClassName(row.kind))));
            const RECT place = clientRectIn(control, window);
            EXPECT_EQ((form::PixelRect{place.left, place.top, place.right - place.left,
                                       place.bottom - place.top}),
                      form::toPixels(row.geometry, dpi));
            if (row.kind != form::ControlKind::TextField) {
                EXPECT_EQ(utf8(windowText(control)), utf8(row.caption));
            }
        }
    }
}

// The whole window, frame included, lies in the work area of its monitor: at its design position
// where it fits there, else moved inside. One larger than the area keeps its top-left corner in
// it, so its title bar can be dragged. The client area keeps its size either way.
TEST_F(QuorelExe, EachWindowStaysOnScreen) {
    const int dpi = static_cast<int>(systemDpi());
    const auto describe = [](const RECT &rect) {
        return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
               std::to_string(rect.right - rect.left) + "x" +
               std::to_string(rect.bottom - rect.top);
    };
    const auto contains = [](const RECT &outer, const RECT &inner) {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    };
    for (const form::WindowTable *table : {&form::mainWindowTable, &form::aboutWindowTable}) {
        SCOPED_TRACE(utf8(table->name) + " at " + std::to_string(dpi) + " dpi");
        const HWND window = table == &form::mainWindowTable ? main() : openAbout();
        ASSERT_NE(window, nullptr);
        const form::PixelRect designed = form::toPixels(table->clientArea, dpi);
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, designed.width);
        EXPECT_EQ(client.bottom, designed.height);

        RECT frame;
        GetWindowRect(window, &frame);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
        const RECT &work = monitor.rcWork;
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        RECT asDesigned = frame;
        OffsetRect(&asDesigned, designed.left - origin.x, designed.top - origin.y);
        const std::string seen = "frame " + describe(frame) + " in work area " + describe(work);
        if (contains(work, asDesigned)) {
            EXPECT_EQ(origin.x, designed.left) << seen;
            EXPECT_EQ(origin.y, designed.top) << seen;
        } else if (frame.right - frame.left <= work.right - work.left &&
                   frame.bottom - frame.top <= work.bottom - work.top) {
            EXPECT_TRUE(contains(work, frame)) << seen;
        } else {
            EXPECT_TRUE(PtInRect(&work, {frame.left, frame.top})) << seen;
        }
    }
}

TEST_F(QuorelExe, FieldsAndButtonsLieAboveEveryLabel) {
    bool labelSeen = false;
    for (HWND child : childrenInZOrder(main())) {
        const bool label = className(child) == controlClassName(form::ControlKind::Label);
        EXPECT_FALSE(labelSeen && !label) << "a label lies above a field or button";
        labelSeen = labelSeen || label;
    }
}

TEST_F(QuorelExe, TabFollowsTheTableAndShiftTabGoesBack) {
    const auto order = form::focusOrder(form::mainWindowTable);
    const auto controlOf = [this](const form::ControlRow *row) {
        return ProgramRun::control(main(), form::mainWindowTable, *row);
    };
    EXPECT_EQ(run().focus(), controlOf(order.front())) << "Text1 is not focused";
    for (std::size_t i = 1; i <= order.size(); ++i) {
        const form::ControlRow &next = *order[i % order.size()];
        EXPECT_EQ(tabOnce(), controlOf(&next)) << "Tab misses " << utf8(next.name);
    }
    EXPECT_EQ(tabOnce(VK_SHIFT), controlOf(order.back()));
}

TEST_F(QuorelExe, StartsWithEveryFieldEmpty) {
    for (const std::string &text : allTexts())
        EXPECT_EQ(text, "");
}

TEST_F(QuorelExe, WorkedExampleThroughAllFourButtons) {
    using namespace form::main_names;
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    calculate(concentrateVolumeButton, Field::ConcentrateVolume);
    calculate(solventMassButton, Field::SolventMass);
    calculate(solventVolumeButton, Field::SolventVolume);
    EXPECT_EQ(text(Field::ConcentrateMass), "10.2040816326531");
    EXPECT_EQ(text(Field::ConcentrateVolume), "5.54569653948536");
    EXPECT_EQ(text(Field::SolventMass), "89.7959183673469");
    EXPECT_EQ(text(Field::SolventVolume), "89.7959183673469");

    // Wider than its field, the result shows from its first digit.
    const LRESULT firstCharacter =
        SendMessageW(field(Field::ConcentrateMass), EM_POSFROMCHAR, 0, 0);
    EXPECT_GE(static_cast<short>(LOWORD(firstCharacter)), 0);
    EXPECT_LE(static_cast<short>(LOWORD(firstCharacter)), 4);
}

// Tab into a result selects all of it and shows its end; Tab on leaves it showing its start.
TEST_F(QuorelExe, AResultTabbedThroughIsLeftShowingItsFirstDigits) {
    using namespace form::main_names;
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    const HWND result = field(Field::ConcentrateMass);
    const auto firstCharacterAt = [&] {
        return static_cast<short>(LOWORD(SendMessageW(result, EM_POSFROMCHAR, 0, 0)));
    };
    // Tab on until the result has the focus, wherever the click left it.
    const std::size_t stops = form::focusOrder(form::mainWindowTable).size();
    for (std::size_t i = 0; i < stops && run().focus() != result; ++i)
        tabOnce();
    ASSERT_EQ(run().focus(), result);
    EXPECT_LT(firstCharacterAt(), 0) << "the whole result fits: nothing to scroll back";
    tabOnce();
    EXPECT_GE(firstCharacterAt(), 0);
    EXPECT_LE(firstCharacterAt(), 4);
}

struct MessageCase {
    const char *name;
    std::u16string_view button;
    std::array<const wchar_t *, 5> inputs; // Text1, Text2, Text3, Text5, Text8
    core::MessageId message;
};

class MessageBoxes : public QuorelExe, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MessageBoxes, ShowTheirTextOverTheCalculator) {
    const MessageCase &row = GetParam();
    const std::array inputFields{Field::TargetMass, Field::TargetPercent, Field::ConcentratePercent,
                                 Field::ConcentrateDensity, Field::SolventDensity};
    for (std::size_t i = 0; i < inputFields.size(); ++i)
        setText(inputFields[i], row.inputs[i]);
    click(mainControl(row.button));
    expectMessageBox(core::messageText(row.message));
    EXPECT_TRUE(run().isRunning());
}

using namespace form::main_names;
using enum core::MessageId;
INSTANTIATE_TEST_SUITE_P(EachMessage, MessageBoxes,
                         ::testing::Values(MessageCase{"TargetMass",
                                                       concentrateMassButton,
                                                       {L"", L"10", L"98", L"", L""},
                                                       MsgEnterTargetMass},
                                           MessageCase{"TargetPercent",
                                                       solventMassButton,
                                                       {L"100", L"", L"98", L"", L""},
                                                       MsgEnterTargetPercent},
                                           MessageCase{"ConcentratePercent",
                                                       concentrateMassButton,
                                                       {L"100", L"10", L"0", L"", L""},
                                                       MsgEnterConcentratePercent},
                                           MessageCase{"PercentTooHigh",
                                                       solventMassButton,
                                                       {L"100", L"50", L"10", L"", L""},
                                                       MsgPercentTooHigh},
                                           MessageCase{"ConcentrateDensity",
                                                       concentrateVolumeButton,
                                                       {L"100", L"10", L"98", L"", L"1"},
                                                       MsgEnterConcentrateDensity},
                                           MessageCase{"SolventDensity",
                                                       solventVolumeButton,
                                                       {L"100", L"10", L"98", L"1.84", L""},
                                                       MsgEnterSolventDensity}),
                         [](const ::testing::TestParamInfo<MessageCase> &info) {
                             return info.param.name;
                         });

TEST_F(QuorelExe, ConcentrateMassEmptiesItsResultOnlyAfterOk) {
    setText(Field::ConcentrateMass, L"123");
    setText(Field::SolventMass, L"456");
    click(mainControl(concentrateMassButton));
    ASSERT_TRUE(waitUntil([&] { return run().messageBox() != nullptr; }));
    EXPECT_EQ(text(Field::ConcentrateMass), "123") << "emptied before OK";
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass).empty(); }));

    // The other calculations keep an earlier result.
    click(mainControl(solventMassButton));
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_EQ(text(Field::SolventMass), "456");
}

// Another program clicking the calculator's buttons and choosing its menu items while a message
// is open: nothing runs, no second box opens, every field stays.
TEST_F(QuorelExe, NothingRunsWhileAMessageIsOpen) {
    setText(Field::ConcentrateMass, L"123");
    setText(Field::SolventMass, L"456");
    const auto before = allTexts();
    click(mainControl(concentrateMassButton));
    ASSERT_TRUE(waitUntil([&] { return run().messageBox() != nullptr; }));

    for (std::u16string_view button : {concentrateMassButton, concentrateVolumeButton,
                                       solventMassButton, solventVolumeButton, exitButton})
        click(mainControl(button));
    for (std::size_t row = 0; row < form::mainMenuTable.size(); ++row) {
        if (form::mainMenuTable[row].command)
            PostMessageW(main(), WM_COMMAND, MAKEWPARAM(firstMenuId + row, 0), 0);
    }
    PostMessageW(main(), WM_CLOSE, 0, 0);
    // Every posted message has been handled once a sent one returns.
    SendMessageTimeoutW(main(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);

    EXPECT_EQ(run().messageBoxes().size(), 1u);
    EXPECT_EQ(allTexts(), before);
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_TRUE(run().isRunning());
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_TRUE(run().messageBoxes().empty());
    EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass).empty(); }));
    EXPECT_EQ(text(Field::SolventMass), "456");
    EXPECT_TRUE(run().isRunning());
}

TEST_F(QuorelExe, OverflowIsReportedAndEveryFieldKept) {
    enterWorkedExample();
    setText(Field::TargetMass, L"1e999");
    setText(Field::ConcentrateMass, L"7");
    const auto before = allTexts();
    click(mainControl(concentrateMassButton));
    expectMessageBox(core::overflowReport());
    EXPECT_EQ(allTexts(), before);
    EXPECT_TRUE(run().isRunning());
    EXPECT_TRUE(IsWindowVisible(main()));
}

TEST_F(QuorelExe, ReadsAFieldOfFortyThousandBlanksBeforeTheNumber) {
    const std::wstring longMass = std::wstring(40000, L' ') + L"100";
    setText(Field::TargetMass, longMass);
    setText(Field::TargetPercent, L"10");
    setText(Field::ConcentratePercent, L"98");
    const std::string shown = text(Field::TargetMass);
    EXPECT_TRUE(shown == utf8(longMass))
        << "the field holds " << shown.size() << " characters, not " << longMass.size()
        << "; it ends \"" << shown.substr(shown.size() - std::min<std::size_t>(shown.size(), 10))
        << '"';
    calculate(concentrateMassButton, Field::ConcentrateMass);
    EXPECT_EQ(text(Field::ConcentrateMass), "10.2040816326531");
}

TEST_F(QuorelExe, CtrlNEmptiesEveryField) {
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    pressWithModifier(VK_CONTROL, 'N');
    EXPECT_TRUE(waitUntil([&] {
        const auto texts = allTexts();
        return std::ranges::all_of(texts, &std::string::empty);
    }));
}

TEST_F(QuorelExe, CtrlXCutsInsideAField) {
    setText(Field::TargetMass, L"12345");
    ASSERT_EQ(run().focus(), field(Field::TargetMass));
    SendMessageW(field(Field::TargetMass), EM_SETSEL, 1, 3);
    pressWithModifier(VK_CONTROL, 'X');
    EXPECT_TRUE(waitUntil([&] { return text(Field::TargetMass) == "145"; }))
        << "Text1 holds \"" << text(Field::TargetMass) << '"';
    EXPECT_TRUE(run().isRunning());
    EXPECT_EQ(utf8(clipboardText()), "23");
}

// A long field through the keyboard and the clipboard, as a user edits it. The text is not one
// run of digits: Wine's EDIT control takes quadratic time over such a run.
std::wstring longText(std::size_t characters) {
    std::wstring text;
    while (text.size() < characters)
        text += L"100g";
    text.resize(characters);
    return text;
}

// What a failure shows of a long text: its length and both ends.
std::string describe(const std::wstring &text) {
    const std::size_t end = std::min<std::size_t>(text.size(), 8);
    return std::to_string(text.size()) + " characters \"" + utf8(text.substr(0, end)) + "…" +
           utf8(text.substr(text.size() - end)) + '"';
}

TEST_F(QuorelExe, ShiftEndCopiesTheWholeOfALongField) {
    const std::wstring whole = longText(10000);
    setText(Field::TargetMass, whole);
    ASSERT_EQ(run().focus(), field(Field::TargetMass));
    setClipboardText(L"");
    const DWORD before = GetClipboardSequenceNumber();
    pressKey(VK_HOME, true);
    pressWithModifier(VK_SHIFT, VK_END);
    pressWithModifier(VK_CONTROL, 'C');
    // Waiting on the sequence number leaves the clipboard free: a test that opened it to look
    // would make the field's copy fail whenever the two met.
    ASSERT_TRUE(waitUntil([&] { return GetClipboardSequenceNumber() != before; }))
        << "Ctrl+C copies nothing";
    const std::wstring copied = clipboardText();
    EXPECT_TRUE(copied == whole) << "copied " << describe(copied) << " of " << describe(whole);
}

TEST_F(QuorelExe, SelectAllAndDeleteEmptiesALongField) {
    setText(Field::TargetMass, longText(10000));
    ASSERT_EQ(run().focus(), field(Field::TargetMass));
    pressWithModifier(VK_CONTROL, 'A');
    pressKey(VK_DELETE, true);
    std::wstring left;
    EXPECT_TRUE(waitUntil([&] { return (left = windowText(field(Field::TargetMass))).empty(); }))
        << "left " << describe(left);
}

TEST_F(QuorelExe, AMegabytePasteArrivesWhole) {
    const std::wstring megabyte = longText(1 << 20);
    setClipboardText(megabyte);
    ASSERT_EQ(run().focus(), field(Field::TargetMass));
    pressWithModifier(VK_CONTROL, 'V');
    std::wstring pasted;
    // The program may be busy with the paste for longer than a read usually waits.
    EXPECT_TRUE(waitUntil(
        [&] { return (pasted = windowText(field(Field::TargetMass), 60000ms)) == megabyte; },
        60000ms))
        << "the field holds " << describe(pasted);
}

TEST_F(QuorelExe, EnterPressesTheFocusedButtonAndDoesNothingInAField) {
    enterWorkedExample();
    SendMessageW(field(Field::TargetMass), EM_SETSEL, 3, 3);
    pressKey(VK_RETURN); // Text1 has the focus
    pressKey('0');       // typed after Enter: once it shows, Enter has been handled
    ASSERT_TRUE(waitUntil([&] { return text(Field::TargetMass) == "1000"; }))
        << "Text1 holds \"" << text(Field::TargetMass) << '"';
    EXPECT_EQ(run().messageBox(), nullptr);
    EXPECT_EQ(text(Field::ConcentrateMass), "");

    // Tab to 浓溶液质量计算, then Enter and the keypad's Enter each press it.
    ASSERT_TRUE(run().tabTo(mainControl(concentrateMassButton)))
        << "Tab stops at \"" << utf8(windowText(run().focus())) << '"';
    for (bool keypad : {false, true}) {
        setText(Field::ConcentrateMass, L"");
        pressKey(VK_RETURN, keypad);
        EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass) == "102.040816326531"; }))
            << (keypad ? "keypad Enter" : "Enter") << " leaves Text4 holding \""
            << text(Field::ConcentrateMass) << '"';
    }
}

TEST_F(QuorelExe, AboutRoundTripsKeepTheFields) {
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    const auto before = allTexts();
    for (int round = 0; round < 2; ++round) {
        const HWND about = openAbout();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(run().focus(), aboutControl(about, form::about_names::returnButton));
        EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
        EXPECT_EQ(GetMenu(about), nullptr);
        EXPECT_EQ(SendMessageW(about, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_EQ(SendMessageW(about, WM_GETICON, ICON_BIG, 0), 0);
        click(aboutControl(about, form::about_names::returnButton));
        expectBackAtCalculator(about);
        EXPECT_EQ(allTexts(), before);
    }
}

TEST_F(QuorelExe, AboutCloseBoxReturnsToTheCalculator) {
    setText(Field::TargetMass, L"100");
    const HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    expectBackAtCalculator(about);
    EXPECT_TRUE(run().isRunning());
    EXPECT_EQ(text(Field::TargetMass), "100");
}

// Each key of the table every face is tested with, typed into the real program with the focus
// where the table puts it, does what the table says.
class KeyTable : public QuorelExe, public ::testing::WithParamInterface<form::testing::KeyCase> {};

TEST_P(KeyTable, KeyDoesWhatTheTableSays) {
    using namespace form::testing;
    const KeyCase &key = GetParam();
    enterWorkedExample();
    const auto before = allTexts();
    HWND about = nullptr;
    HWND target = nullptr;
    if (key.window == form::WindowId::About) {
        about = openAbout();
        ASSERT_NE(about, nullptr);
        target = aboutControl(about, focusedName(key));
    } else {
        target = mainControl(focusedName(key));
        ASSERT_TRUE(run().tabTo(target))
            << "Tab stops at \"" << utf8(windowText(run().focus())) << '"';
    }
    ASSERT_EQ(run().focus(), target);

    WORD virtualKey = static_cast<WORD>(key.key.key); // a letter is its own virtual key
    if (key.key.key == form::enterKey)
        virtualKey = VK_RETURN;
    else if (key.key.key == form::escapeKey)
        virtualKey = VK_ESCAPE;
    std::vector<WORD> modifiers;
    for (const auto &[modifier, virtualModifier] :
         {std::pair{form::Modifier::Ctrl, VK_CONTROL}, std::pair{form::Modifier::Shift, VK_SHIFT},
          std::pair{form::Modifier::Alt, VK_MENU}}) {
        if (form::holds(key.key.modifiers, modifier))
            modifiers.push_back(static_cast<WORD>(virtualModifier));
    }
    if (modifiers.empty())
        pressKey(virtualKey);
    else if (modifiers.size() == 1)
        pressWithModifier(modifiers.front(), virtualKey);
    else
        pressWithModifiers({modifiers[0], modifiers[1]}, virtualKey);

    auto expected = before;
    switch (key.outcome) {
    case KeyOutcome::Nothing:
        // Tab typed after the key moves the focus once the key has been handled.
        pressKey(VK_TAB);
        EXPECT_TRUE(waitUntil([&] { return run().focus() != target; }))
            << "the focus is still on " << utf8(windowText(target)) << " after Tab";
        EXPECT_EQ(run().messageBox(), nullptr);
        EXPECT_TRUE(run().isRunning());
        EXPECT_EQ(IsWindowVisible(GetAncestor(target, GA_ROOT)), TRUE);
        if (about) {
            EXPECT_EQ(IsWindowVisible(main()), FALSE);
        }
        break;
    case KeyOutcome::Calculates:
        expected[static_cast<std::size_t>(Field::ConcentrateMass)] = "10.2040816326531";
        EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass) == expected[3]; }))
            << "Text4 holds \"" << text(Field::ConcentrateMass) << '"';
        break;
    case KeyOutcome::EmptiesFields:
        expected.fill("");
        EXPECT_TRUE(waitUntil([&] { return allTexts() == expected; }));
        break;
    case KeyOutcome::EndsProgram:
        EXPECT_EQ(run().exitStatus(), std::optional<DWORD>(0));
        return;
    case KeyOutcome::ReturnsToCalculator:
        expectBackAtCalculator(about);
        break;
    }
    EXPECT_TRUE(run().isRunning());
    EXPECT_EQ(allTexts(), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryFace, KeyTable, ::testing::ValuesIn(form::testing::keyTable),
                         [](const auto &info) { return std::string(info.param.name); });

// Every way out of the program ends it with status 0.
struct ExitPath {
    const char *name;
    void (*leave)(QuorelExe &test, ProgramRun &run);
};

class ExitPaths : public QuorelExe, public ::testing::WithParamInterface<ExitPath> {
  public:
    using QuorelExe::aboutControl;
    using QuorelExe::openAbout;
};

TEST_P(ExitPaths, EndWithStatusZero) {
    setText(Field::TargetMass, L"12"); // the program ends even while a value is being typed
    GetParam().leave(*this, run());
    EXPECT_EQ(run().exitStatus(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayOut, ExitPaths,
    ::testing::Values(
        ExitPath{"ExitButton",
                 [](QuorelExe &, ProgramRun &run) {
                     click(ProgramRun::control(run.mainWindow(), form::mainWindowTable,
                                               mainRow(exitButton)));
                 }},
        ExitPath{"ExitMenuItem",
                 [](QuorelExe &, ProgramRun &run) {
                     pressWithModifier(VK_MENU, 'F');
                     ASSERT_TRUE(waitUntil([&] { return run.popupMenu() != nullptr; }))
                         << "Alt+F opens no menu";
                     pressKey('X');
                 }},
        ExitPath{"CtrlXOnAButton",
                 [](QuorelExe &, ProgramRun &run) {
                     const HWND button = ProgramRun::control(
                         run.mainWindow(), form::mainWindowTable, mainRow(exitButton));
                     ASSERT_TRUE(run.tabTo(button, VK_SHIFT))
                         << "Shift+Tab stops at \"" << utf8(windowText(run.focus())) << '"';
                     pressWithModifier(VK_CONTROL, 'X');
                 }},
        ExitPath{"MainCloseBox",
                 [](QuorelExe &, ProgramRun &run) {
                     PostMessageW(run.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                 }},
        ExitPath{"MainCloseBoxAfterAbout",
                 [](QuorelExe &test, ProgramRun &run) {
                     auto &exitPaths = static_cast<ExitPaths &>(test);
                     const HWND about = exitPaths.openAbout();
                     click(exitPaths.aboutControl(about, form::about_names::returnButton));
                     ASSERT_TRUE(waitUntil([&] {
                         return IsWindowVisible(run.mainWindow()) != FALSE;
                     })) << "返回 does not bring the calculator back";
                     PostMessageW(run.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                 }},
        ExitPath{"AboutExitButton",
                 [](QuorelExe &test, ProgramRun &) {
                     auto &exitPaths = static_cast<ExitPaths &>(test);
                     const HWND about = exitPaths.openAbout();
                     click(exitPaths.aboutControl(about, form::about_names::exitButton));
                 }}),
    [](const ::testing::TestParamInfo<ExitPath> &info) { return info.param.name; });

} // namespace
} // namespace quorel::win32::testing
