// What the program does on each command, at start-up and on a close request, seen through a
// shell and fields that only record what they are asked.

#include "core/messages.h"
#include "form/calculator_form.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <variant>
#include <vector>

using namespace quorel::form;
using quorel::core::MessageId;
using quorel::core::messageText;
using quorel::core::overflowReport;

namespace {

using Fields = std::array<std::u16string, fieldCount>; // Text1 to Text9
using Calls = std::vector<std::u16string>;

std::u16string windowName(WindowId window) {
    return window == WindowId::Main ? u"main" : u"about";
}

std::u16string fieldName(Field field) {
    return u"Text" + std::u16string(1, static_cast<char16_t>(u'1' + static_cast<int>(field)));
}

class Recorder final : public Shell, public FieldAccess {
  public:
    explicit Recorder(Fields initial) : fields(std::move(initial)) {}

    void showMessage(WindowId owner, std::u16string_view text, std::u16string_view title) override {
        calls.push_back(u"message " + windowName(owner) + u" " + std::u16string(title) + u" " +
                        std::u16string(text));
        fieldsWhileBoxOpen.push_back(fields);
    }
    void createWindow(WindowId window) override {
        calls.push_back(u"create " + windowName(window));
    }
    void showWindow(WindowId window) override { calls.push_back(u"show " + windowName(window)); }
    void hideWindow(WindowId window) override { calls.push_back(u"hide " + windowName(window)); }
    void endProgram() override { calls.push_back(u"end"); }

    std::u16string text(Field field) const override {
        return fields[static_cast<std::size_t>(field)];
    }
    void setText(Field field, std::u16string_view text) override {
        calls.push_back(u"set " + fieldName(field) + u"=" + std::u16string(text));
        fields[static_cast<std::size_t>(field)] = text;
    }

    Fields fields;
    Calls calls;
    std::vector<Fields> fieldsWhileBoxOpen;
};

std::u16string message(MessageId id) {
    return u"message main 注意 " + std::u16string(messageText(id));
}

// An overflow is shown as any other message, over the calculator.
const std::u16string overflow = u"message main 注意 " + std::u16string(overflowReport());

// The calculator on screen with `fields`, nothing asked of the shell yet.
void startWith(CalculatorForm &form, Recorder &recorder, const Fields &fields) {
    form.start();
    recorder.fields = fields;
    recorder.calls.clear();
}

// The worked example with old results in Text4, Text6, Text7 and Text9.
const Fields example{u"100", u"10", u"98", u"old4", u"1.84", u"old6", u"old7", u"1", u"old9"};
const Fields oldResultsOnly{u"", u"", u"", u"old4", u"", u"old6", u"old7", u"", u"old9"};

Fields with(Fields fields, Field field, std::u16string text) {
    fields[static_cast<std::size_t>(field)] = std::move(text);
    return fields;
}

struct CommandCase {
    const char *name;
    Fields before;
    Command command;
    Calls calls;
    Fields after;
};

void PrintTo(const CommandCase &c, std::ostream *out) {
    *out << c.name;
}

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, AskTheShellAndWriteTheFieldsInOrder) {
    const CommandCase &c = GetParam();
    Recorder recorder(c.before);
    CalculatorForm form(recorder, recorder);
    startWith(form, recorder, c.before);
    form.run(c.command);
    // The user dismisses the box, if one opened.
    EXPECT_EQ(form.messageOpen(), !recorder.fieldsWhileBoxOpen.empty());
    form.messageDismissed();
    EXPECT_FALSE(form.messageOpen());
    EXPECT_EQ(recorder.calls, c.calls);
    EXPECT_EQ(recorder.fields, c.after);
    // While a box is open nothing has been written yet.
    for (const Fields &open : recorder.fieldsWhileBoxOpen)
        EXPECT_EQ(open, c.before);
}

using enum Command;
using enum Field;

const Fields tooHigh = with(with(example, TargetPercent, u"40"), ConcentratePercent, u"30");
const Fields noDensities = with(with(example, ConcentrateDensity, u""), SolventDensity, u"");
const Fields hugeMass = with(example, TargetMass, u"1e999");
const Fields hugeQuotient =
    with(with(with(example, TargetMass, u"1e308"), TargetPercent, u"-1e308"), ConcentratePercent,
         u"1e-308");

const CommandCase commandCases[] = {
    // Each calculation writes its own field and no other.
    {"concentrate mass",
     example,
     CalculateConcentrateMass,
     {u"set Text4=10.2040816326531"},
     with(example, ConcentrateMass, u"10.2040816326531")},
    {"concentrate volume",
     example,
     CalculateConcentrateVolume,
     {u"set Text6=5.54569653948536"},
     with(example, ConcentrateVolume, u"5.54569653948536")},
    {"solvent mass",
     example,
     CalculateSolventMass,
     {u"set Text7=89.7959183673469"},
     with(example, SolventMass, u"89.7959183673469")},
    {"solvent volume",
     example,
     CalculateSolventVolume,
     {u"set Text9=89.7959183673469"},
     with(example, SolventVolume, u"89.7959183673469")},

    // After a message only the concentrate mass empties its field, once the box is dismissed.
    {"concentrate mass, all empty",
     oldResultsOnly,
     CalculateConcentrateMass,
     {message(MessageId::MsgEnterTargetMass), u"set Text4="},
     with(oldResultsOnly, ConcentrateMass, u"")},
    {"concentrate volume, all empty",
     oldResultsOnly,
     CalculateConcentrateVolume,
     {message(MessageId::MsgEnterTargetMass)},
     oldResultsOnly},
    {"solvent mass, all empty",
     oldResultsOnly,
     CalculateSolventMass,
     {message(MessageId::MsgEnterTargetMass)},
     oldResultsOnly},
    {"solvent volume, all empty",
     oldResultsOnly,
     CalculateSolventVolume,
     {message(MessageId::MsgEnterTargetMass)},
     oldResultsOnly},
    {"concentrate mass, percent too high",
     tooHigh,
     CalculateConcentrateMass,
     {message(MessageId::MsgPercentTooHigh), u"set Text4="},
     with(tooHigh, ConcentrateMass, u"")},
    {"solvent mass, percent too high",
     tooHigh,
     CalculateSolventMass,
     {message(MessageId::MsgPercentTooHigh)},
     tooHigh},
    {"concentrate volume, no density",
     noDensities,
     CalculateConcentrateVolume,
     {message(MessageId::MsgEnterConcentrateDensity)},
     noDensities},
    {"solvent volume, no density",
     noDensities,
     CalculateSolventVolume,
     {message(MessageId::MsgEnterSolventDensity)},
     noDensities},

    // An overflow is reported and nothing is written, not even the concentrate mass's emptying.
    {"concentrate mass, overflow typed", hugeMass, CalculateConcentrateMass, {overflow}, hugeMass},
    {"concentrate volume, overflow typed",
     hugeMass,
     CalculateConcentrateVolume,
     {overflow},
     hugeMass},
    {"solvent mass, overflow typed", hugeMass, CalculateSolventMass, {overflow}, hugeMass},
    {"solvent volume, overflow typed", hugeMass, CalculateSolventVolume, {overflow}, hugeMass},
    {"concentrate mass, overflow computed",
     hugeQuotient,
     CalculateConcentrateMass,
     {overflow},
     hugeQuotient},

    // The other commands on the calculator, with the hand-off sequences in their order.
    {"reset fields",
     example,
     ResetFields,
     {u"set Text1=", u"set Text2=", u"set Text3=", u"set Text4=", u"set Text5=", u"set Text6=",
      u"set Text7=", u"set Text8=", u"set Text9="},
     Fields{}},
    {"exit from the calculator", example, ExitFromCalculator, {u"hide main", u"end"}, example},
    // The About window is made the first time it is asked for.
    {"open About", example, OpenAbout, {u"create about", u"show about", u"hide main"}, example},
};

INSTANTIATE_TEST_SUITE_P(Form, Commands, testing::ValuesIn(commandCases));

TEST(Form, StartEmptiesEveryFieldThenShowsTheCalculator) {
    Recorder recorder(example);
    CalculatorForm form(recorder, recorder);
    form.start();
    EXPECT_EQ(recorder.calls,
              (Calls{u"set Text1=", u"set Text2=", u"set Text3=", u"set Text4=", u"set Text5=",
                     u"set Text6=", u"set Text7=", u"set Text8=", u"set Text9=", u"show main"}));
    EXPECT_EQ(recorder.fields, Fields{});
}

// Sequences of commands and close requests from a started calculator, with every call the
// shell saw after start-up.
struct SequenceCase {
    const char *name;
    std::vector<std::variant<Command, WindowId>> steps; // a WindowId: a close request
    Calls calls;
};

void PrintTo(const SequenceCase &c, std::ostream *out) {
    *out << c.name;
}

class Sequences : public testing::TestWithParam<SequenceCase> {};

TEST_P(Sequences, AskTheShellInOrder) {
    const SequenceCase &c = GetParam();
    Recorder recorder(example);
    CalculatorForm form(recorder, recorder);
    startWith(form, recorder, example);
    for (const auto &step : c.steps) {
        if (const Command *command = std::get_if<Command>(&step))
            form.run(*command);
        else
            form.closeRequested(std::get<WindowId>(step));
    }
    EXPECT_EQ(recorder.calls, c.calls);
    EXPECT_EQ(recorder.fields, example);
}

const SequenceCase sequenceCases[] = {
    {"close the calculator", {WindowId::Main}, {u"hide main", u"end"}},
    // Closing About through its title bar goes back to the calculator.
    {"close About",
     {OpenAbout, WindowId::About},
     {u"create about", u"show about", u"hide main", u"show main", u"hide about"}},
    {"About made once",
     {OpenAbout, ReturnToCalculator, OpenAbout},
     {u"create about", u"show about", u"hide main", u"show main", u"hide about", u"show about",
      u"hide main"}},
    // Every window on screen is hidden before the program ends, and only those.
    {"end from About",
     {OpenAbout, EndProgram},
     {u"create about", u"show about", u"hide main", u"hide about", u"end"}},
    {"exit after a visit to About",
     {OpenAbout, ReturnToCalculator, ExitFromCalculator},
     {u"create about", u"show about", u"hide main", u"show main", u"hide about", u"hide main",
      u"end"}},
};

INSTANTIATE_TEST_SUITE_P(Form, Sequences, testing::ValuesIn(sequenceCases));

// While a message is open no command runs and no close request acts: another program can still
// post clicks to a window behind the box, and each would open a box inside the first.
TEST(Form, NothingRunsWhileAMessageIsOpen) {
    const std::vector<std::variant<Command, WindowId>> attempts = {
        CalculateConcentrateMass,
        CalculateConcentrateVolume,
        CalculateSolventMass,
        CalculateSolventVolume,
        ResetFields,
        OpenAbout,
        ExitFromCalculator,
        EndProgram,
        ReturnToCalculator,
        WindowId::Main,
        WindowId::About,
    };
    Recorder recorder(oldResultsOnly);
    CalculatorForm form(recorder, recorder);
    startWith(form, recorder, oldResultsOnly);
    form.run(CalculateConcentrateMass);
    ASSERT_TRUE(form.messageOpen());
    for (const auto &attempt : attempts) {
        if (const Command *command = std::get_if<Command>(&attempt))
            form.run(*command);
        else
            form.closeRequested(std::get<WindowId>(attempt));
    }
    EXPECT_EQ(recorder.calls, Calls{message(MessageId::MsgEnterTargetMass)});
    EXPECT_EQ(recorder.fields, oldResultsOnly);
    EXPECT_TRUE(form.messageOpen());

    // Dismissed, the calculation finishes, and commands run again.
    form.messageDismissed();
    form.run(CalculateSolventMass);
    EXPECT_EQ(recorder.calls, (Calls{message(MessageId::MsgEnterTargetMass), u"set Text4=",
                                     message(MessageId::MsgEnterTargetMass)}));
}

// A dismissal with no message open (a face reporting twice) changes nothing.
TEST(Form, ASecondDismissalDoesNothing) {
    Recorder recorder(oldResultsOnly);
    CalculatorForm form(recorder, recorder);
    startWith(form, recorder, oldResultsOnly);
    form.run(CalculateConcentrateMass);
    form.messageDismissed();
    recorder.fields = example;
    form.messageDismissed();
    EXPECT_EQ(recorder.fields, example);
}

// A message belongs to the window on screen: the calculator, or About when a click reaches the
// hidden calculator's button while About shows.
TEST(Form, MessageOwnerIsTheVisibleWindow) {
    Recorder recorder(oldResultsOnly);
    CalculatorForm form(recorder, recorder);
    startWith(form, recorder, oldResultsOnly);
    EXPECT_TRUE(form.windowShown(WindowId::Main));
    form.run(CalculateSolventVolume);
    form.messageDismissed();
    form.run(OpenAbout);
    EXPECT_FALSE(form.windowShown(WindowId::Main));
    EXPECT_TRUE(form.windowShown(WindowId::About));
    form.run(CalculateSolventVolume);
    EXPECT_EQ(
        recorder.calls,
        (Calls{message(MessageId::MsgEnterTargetMass), u"create about", u"show about", u"hide main",
               u"message about 注意 " +
                   std::u16string(messageText(MessageId::MsgEnterTargetMass))}));
}

// A result field is never read: a number typed into Text4 does not change the solvent mass.
TEST(Form, ResultFieldsAreNeverRead) {
    Recorder recorder(with(example, ConcentrateMass, u"50"));
    CalculatorForm form(recorder, recorder);
    form.run(CalculateSolventMass);
    EXPECT_EQ(recorder.fields[static_cast<std::size_t>(SolventMass)], u"89.7959183673469");
}

// Command1 pressed with good input, then again with Text1 emptied: the old result stays on
// screen while the message is open and goes once the user has dismissed it.
TEST(Form, ConcentrateMassResultStaysUntilTheMessageIsDismissed) {
    Recorder recorder(with(example, ConcentrateMass, u""));
    CalculatorForm form(recorder, recorder);
    form.run(CalculateConcentrateMass);
    recorder.fields[static_cast<std::size_t>(TargetMass)].clear();
    form.run(CalculateConcentrateMass);

    ASSERT_EQ(recorder.fieldsWhileBoxOpen.size(), 1u);
    EXPECT_EQ(recorder.fieldsWhileBoxOpen[0][static_cast<std::size_t>(ConcentrateMass)],
              u"10.2040816326531");
    EXPECT_EQ(recorder.fields[static_cast<std::size_t>(ConcentrateMass)], u"10.2040816326531");
    form.messageDismissed();
    EXPECT_EQ(recorder.fields[static_cast<std::size_t>(ConcentrateMass)], u"");
}

} // namespace
