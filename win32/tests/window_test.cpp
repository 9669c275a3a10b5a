// The real Quorel.exe, driven from outside as a user would drive it.

#include "win32/tests/program_driver.h"

#include "core/messages.h"
#include "form/about_window_table.h"
#include "form/control_names.h"
#include "form/main_window_table.h"
#include "win32/menu_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

namespace quorel::win32::testing {
namespace {

using form::Field;

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

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
        SetForegroundWindow(main());
    }

    void TearDown() override {
        // A test that opened a message box dismisses it: nothing is left waiting for the user.
        if (m_run->isRunning()) {
            EXPECT_EQ(m_run->messageBox(), nullptr);
        }
    }

    ProgramRun &run() { return *m_run; }
    HWND main() const { return m_run->mainWindow(); }
    HWND mainControl(std::u16string_view name) { return run().control(main(), mainRow(name)); }
    HWND field(Field which) { return run().field(which); }
    std::wstring text(Field which) { return windowText(field(which)); }
    void setText(Field which, std::wstring_view text) { setWindowText(field(which), text); }

    std::array<std::wstring, form::fieldCount> allTexts() {
        std::array<std::wstring, form::fieldCount> texts;
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
        EXPECT_EQ(windowText(box), wide(core::messageTitle()));
        EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), wide(message));
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
        EXPECT_EQ(windowText(buttons.front()), L"确定");
        EXPECT_EQ(GetWindow(box, GW_OWNER), main()) << "the box is not over the calculator";
        click(buttons.front());
        ASSERT_TRUE(waitUntil([&] { return run().messageBox() == nullptr; }));
    }

    HWND openAbout() {
        // Keys go to the foreground window; a click posted just before may still be moving the
        // activation, and a key sent meanwhile would be lost.
        SetForegroundWindow(main());
        EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == main(); }))
            << "the calculator does not come to the front";
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

    // Types Tab until the focus moves, then gives the newly focused control.
    HWND tabOnce(WORD modifier = 0) {
        const HWND before = run().focus();
        if (modifier)
            pressWithModifier(modifier, VK_TAB);
        else
            pressKey(VK_TAB);
        waitUntil([&] { return run().focus() != before; });
        return run().focus();
    }

    std::unique_ptr<ProgramRun> m_run;
};

TEST_F(QuorelExe, EveryControlSitsAtItsPlaceWithItsCaption) {
    const int dpi = static_cast<int>(screenDpi());
    for (const form::WindowTable *table : {&form::mainWindowTable, &form::aboutWindowTable}) {
        const HWND window = table == &form::mainWindowTable ? main() : openAbout();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(windowText(window), wide(table->title));
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        EXPECT_EQ((form::PixelRect{origin.x, origin.y, client.right, client.bottom}),
                  form::toPixels(table->clientArea, dpi));
        EXPECT_EQ(childrenInZOrder(window).size(), table->controls.size());
        for (const form::ControlRow &row : table->controls) {
            SCOPED_TRACE(wide(row.name));
            const HWND control = run().control(window, row);
            ASSERT_NE(control, nullptr) << "no control of its kind at its place";
            if (row.kind != form::ControlKind::TextField) {
                EXPECT_EQ(windowText(control), wide(row.caption));
            }
        }
    }
}

TEST_F(QuorelExe, FieldsAndButtonsLieAboveEveryLabel) {
    bool labelSeen = false;
    for (HWND child : childrenInZOrder(main())) {
        const bool label = className(child) == L"Static";
        EXPECT_FALSE(labelSeen && !label) << "a label lies above a field or button";
        labelSeen = labelSeen || label;
    }
}

TEST_F(QuorelExe, TabFollowsTheTableAndShiftTabGoesBack) {
    const auto order = form::focusOrder(form::mainWindowTable);
    EXPECT_EQ(run().focus(), run().control(main(), *order.front())) << "Text1 is not focused";
    for (std::size_t i = 1; i <= order.size(); ++i) {
        const form::ControlRow &next = *order[i % order.size()];
        EXPECT_EQ(tabOnce(), run().control(main(), next)) << "Tab misses " << wide(next.name);
    }
    EXPECT_EQ(tabOnce(VK_SHIFT), run().control(main(), *order.back()));
}

TEST_F(QuorelExe, StartsWithEveryFieldEmpty) {
    for (const std::wstring &text : allTexts())
        EXPECT_EQ(text, L"");
}

TEST_F(QuorelExe, WorkedExampleThroughAllFourButtons) {
    using namespace form::main_names;
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    calculate(concentrateVolumeButton, Field::ConcentrateVolume);
    calculate(solventMassButton, Field::SolventMass);
    calculate(solventVolumeButton, Field::SolventVolume);
    EXPECT_EQ(text(Field::ConcentrateMass), L"10.2040816326531");
    EXPECT_EQ(text(Field::ConcentrateVolume), L"5.54569653948536");
    EXPECT_EQ(text(Field::SolventMass), L"89.7959183673469");
    EXPECT_EQ(text(Field::SolventVolume), L"89.7959183673469");

    // Wider than its field, the result shows from its first digit.
    const LRESULT firstCharacter =
        SendMessageW(field(Field::ConcentrateMass), EM_POSFROMCHAR, 0, 0);
    EXPECT_GE(static_cast<short>(LOWORD(firstCharacter)), 0);
    EXPECT_LE(static_cast<short>(LOWORD(firstCharacter)), 4);
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
    EXPECT_EQ(text(Field::ConcentrateMass), L"123") << "emptied before OK";
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass).empty(); }));

    // The other calculations keep an earlier result.
    click(mainControl(solventMassButton));
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_EQ(text(Field::SolventMass), L"456");
}

// The message boxes of this run: top-level dialogs of the program's process.
std::vector<HWND> messageBoxesOf(HWND main) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{};
    GetWindowThreadProcessId(main, &search.process);
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto &search = *reinterpret_cast<Search *>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == search.process && IsWindowVisible(window) &&
                className(window) == L"#32770")
                search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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

    EXPECT_EQ(messageBoxesOf(main()).size(), 1u);
    EXPECT_EQ(allTexts(), before);
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_TRUE(run().isRunning());
    expectMessageBox(core::messageText(MsgEnterTargetMass));
    EXPECT_TRUE(messageBoxesOf(main()).empty());
    EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass).empty(); }));
    EXPECT_EQ(text(Field::SolventMass), L"456");
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
    EXPECT_EQ(text(Field::TargetMass), longMass) << "the field cut the text short";
    calculate(concentrateMassButton, Field::ConcentrateMass);
    EXPECT_EQ(text(Field::ConcentrateMass), L"10.2040816326531");
}

TEST_F(QuorelExe, CtrlNEmptiesEveryField) {
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    pressWithModifier(VK_CONTROL, 'N');
    EXPECT_TRUE(waitUntil([&] {
        const auto texts = allTexts();
        return std::ranges::all_of(texts, &std::wstring::empty);
    }));
}

TEST_F(QuorelExe, CtrlXCutsInsideAField) {
    setText(Field::TargetMass, L"12345");
    ASSERT_EQ(run().focus(), field(Field::TargetMass));
    SendMessageW(field(Field::TargetMass), EM_SETSEL, 1, 3);
    pressWithModifier(VK_CONTROL, 'X');
    EXPECT_TRUE(waitUntil([&] { return text(Field::TargetMass) == L"145"; }));
    EXPECT_TRUE(run().isRunning());
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring clipboard = data ? static_cast<const wchar_t *>(GlobalLock(data)) : L"";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(clipboard, L"23");
}

TEST_F(QuorelExe, EnterPressesTheFocusedButtonAndDoesNothingInAField) {
    enterWorkedExample();
    SendMessageW(field(Field::TargetMass), EM_SETSEL, 3, 3);
    pressKey(VK_RETURN); // Text1 has the focus
    pressKey('0');       // typed after Enter: once it shows, Enter has been handled
    ASSERT_TRUE(waitUntil([&] { return text(Field::TargetMass) == L"1000"; }));
    EXPECT_EQ(run().messageBox(), nullptr);
    EXPECT_EQ(text(Field::ConcentrateMass), L"");

    // Tab to 浓溶液质量计算, then Enter and the keypad's Enter each press it.
    while (run().focus() != mainControl(concentrateMassButton))
        tabOnce();
    for (bool keypad : {false, true}) {
        setText(Field::ConcentrateMass, L"");
        pressKey(VK_RETURN, keypad);
        EXPECT_TRUE(waitUntil([&] { return text(Field::ConcentrateMass) == L"102.040816326531"; }))
            << (keypad ? "keypad Enter" : "Enter");
    }
}

TEST_F(QuorelExe, AboutRoundTripsKeepTheFields) {
    enterWorkedExample();
    calculate(concentrateMassButton, Field::ConcentrateMass);
    const auto before = allTexts();
    for (int round = 0; round < 2; ++round) {
        const HWND about = openAbout();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(run().focus(), run().control(about, aboutRow(form::about_names::returnButton)));
        EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
        EXPECT_EQ(GetMenu(about), nullptr);
        EXPECT_EQ(SendMessageW(about, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_EQ(SendMessageW(about, WM_GETICON, ICON_BIG, 0), 0);
        click(run().control(about, aboutRow(form::about_names::returnButton)));
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
    EXPECT_EQ(text(Field::TargetMass), L"100");
}

// Every way out of the program ends it with status 0.
struct ExitPath {
    const char *name;
    void (*leave)(QuorelExe &test, ProgramRun &run);
};

class ExitPaths : public QuorelExe, public ::testing::WithParamInterface<ExitPath> {
  public:
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
                     click(run.control(run.mainWindow(), mainRow(exitButton)));
                 }},
        ExitPath{"ExitMenuItem",
                 [](QuorelExe &, ProgramRun &) {
                     pressWithModifier(VK_MENU, 'F');
                     Sleep(200);
                     pressKey('X');
                 }},
        ExitPath{"CtrlXOnAButton",
                 [](QuorelExe &, ProgramRun &run) {
                     const HWND button = run.control(run.mainWindow(), mainRow(exitButton));
                     while (run.focus() != button)
                         pressWithModifier(VK_SHIFT, VK_TAB), Sleep(20);
                     pressWithModifier(VK_CONTROL, 'X');
                 }},
        ExitPath{"MainCloseBox",
                 [](QuorelExe &, ProgramRun &run) {
                     PostMessageW(run.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                 }},
        ExitPath{"MainCloseBoxAfterAbout",
                 [](QuorelExe &test, ProgramRun &run) {
                     const HWND about = static_cast<ExitPaths &>(test).openAbout();
                     click(run.control(about, aboutRow(form::about_names::returnButton)));
                     waitUntil([&] { return IsWindowVisible(run.mainWindow()) != FALSE; });
                     PostMessageW(run.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                 }},
        ExitPath{"AboutExitButton",
                 [](QuorelExe &test, ProgramRun &run) {
                     const HWND about = static_cast<ExitPaths &>(test).openAbout();
                     click(run.control(about, aboutRow(form::about_names::exitButton)));
                 }}),
    [](const ::testing::TestParamInfo<ExitPath> &info) { return info.param.name; });

} // namespace
} // namespace quorel::win32::testing
