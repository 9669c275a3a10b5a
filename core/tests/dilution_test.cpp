#include "core/dilution.h"
#include "core/exact_quotient.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorel::core;

namespace {

using Compute = CalcOutcome (*)(const DilutionTexts &);

struct Button {
    const char *name;
    Compute compute;
};

const Button buttons[] = {
    {"concentrate mass", computeConcentrateMass},
    {"solvent mass", computeSolventMass},
    {"concentrate volume", computeConcentrateVolume},
    {"solvent volume", computeSolventVolume},
};

// The texts of Text1, Text2, Text3, Text5 and Text8.
DilutionTexts fields(std::u16string_view mass, std::u16string_view percent,
                     std::u16string_view concentratePercent, std::u16string_view concentrateDensity,
                     std::u16string_view solventDensity) {
    return {.targetMass = mass,
            .targetPercent = percent,
            .concentratePercent = concentratePercent,
            .concentrateDensity = concentrateDensity,
            .solventDensity = solventDensity};
}

// What the result field would show.
std::u16string shown(const CalcOutcome &outcome) {
    if (const double *value = std::get_if<double>(&outcome))
        return formatNumber(*value);
    if (std::holds_alternative<Overflow>(outcome))
        return u"<overflow>";
    return u"<message " + std::u16string(messageText(std::get<MessageId>(outcome))) + u">";
}

struct Example {
    const char *name;
    DilutionTexts texts;
    std::u16string concentrateMass, solventMass, concentrateVolume, solventVolume;
};

TEST(Dilution, WorkedExamples) {
    const Example examples[] = {
        {"sulfuric acid", fields(u"100", u"10", u"98", u"1.84", u"1"), u"10.2040816326531",
         u"89.7959183673469", u"5.54569653948536", u"89.7959183673469"},
        {"hydrochloric acid", fields(u"200", u"5", u"36", u"1.18", u"1"), u"27.7777777777778",
         u"172.222222222222", u"23.5404896421846", u"172.222222222222"},
        {"equal percentages", fields(u"50", u"20", u"20", u"1", u"1"), u"50", u"0", u"50", u"0"},
        {"negative mass passes", fields(u"-100", u"10", u"98", u"1.84", u"1"), u"-10.2040816326531",
         u"-89.7959183673469", u"-5.54569653948536", u"-89.7959183673469"},
        {"units typed after the numbers", fields(u"100g", u"10%", u"98%", u"1.84g/ml", u"1 g"),
         u"10.2040816326531", u"89.7959183673469", u"5.54569653948536", u"89.7959183673469"},
        // The product 1e616 lies far beyond a double; the result does not.
        {"huge product", fields(u"1e308", u"1e308", u"1e308", u"1", u"1"), u"1E+308", u"0",
         u"1E+308", u"0"},
        {"subnormal result", fields(u"1e-300", u"1e-10", u"1", u"1", u"1"),
         u"9.99999999999997E-311", u"9.999999999E-301", u"9.99999999999997E-311",
         u"9.999999999E-301"},
    };
    for (const auto &e : examples) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(shown(computeConcentrateMass(e.texts)), e.concentrateMass);
        EXPECT_EQ(shown(computeSolventMass(e.texts)), e.solventMass);
        EXPECT_EQ(shown(computeConcentrateVolume(e.texts)), e.concentrateVolume);
        EXPECT_EQ(shown(computeSolventVolume(e.texts)), e.solventVolume);
    }
}

TEST(ExactProductQuotient, RoundsOnceFromTheExactValue) {
    // Each row is p * m / c; where evaluating it in doubles step by step goes wrong, the
    // naive value is noted.
    struct Case {
        double p, m, c;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {10, 100, 98, 1000.0 / 98},
        {1e308, 1e308, 1e308, 1e308},                     // naive: infinity
        {1e-200, 1e-200, 1e-90, 0x0.012688b70e62bp-1022}, // naive: 0
        {7, 1e-320, 3, 0x0.0000000001273p-1022},          // naive: rounded twice, one unit off
        {5e-324, 0.5, 1, 0.0},                            // tie between 0 and the smallest: even
        {5e-324, 1.5, 1, 0x0.0000000000002p-1022},        // tie: up to even
        {5e-324, 2.5, 1, 0x0.0000000000002p-1022},        // tie: down to even
        {1e-300, 1e-20, 1e5, 0.0},
        {-3, 2, 0.5, -12},
        {3, -2, -0.5, 12},
        {3, 1e300, 1e-8, std::nullopt},
        {-1, 1.7976931348623157e308, 1, -1.7976931348623157e308},
        {1.7976931348623157e308, 2, 2, 1.7976931348623157e308},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << " * " << c.m << " / " << c.c);
        EXPECT_EQ(exactProductQuotient(c.p, c.m, c.c), c.expected);
    }
}

TEST(Dilution, LadderOrderForEveryButton) {
    struct Case {
        const char *name;
        DilutionTexts texts;
        MessageId expected;
    };
    const Case cases[] = {
        {"all empty", fields(u"", u"", u"", u"", u""), MessageId::MsgEnterTargetMass},
        {"mass zero", fields(u"0", u"40", u"30", u"", u""), MessageId::MsgEnterTargetMass},
        {"mass text", fields(u"abc", u"10", u"98", u"1", u"1"), MessageId::MsgEnterTargetMass},
        {"percent empty", fields(u"100", u"", u"", u"", u""), MessageId::MsgEnterTargetPercent},
        {"concentrate empty", fields(u"100", u"10", u"", u"", u""),
         MessageId::MsgEnterConcentratePercent},
        {"too high", fields(u"100", u"40", u"30", u"1", u"1"), MessageId::MsgPercentTooHigh},
        {"too high, no densities", fields(u"100", u"40", u"30", u"", u""),
         MessageId::MsgPercentTooHigh},
        {"negative concentrate", fields(u"100", u"10", u"-98", u"1", u"1"),
         MessageId::MsgPercentTooHigh},
    };
    for (const auto &c : cases)
        for (const auto &button : buttons) {
            SCOPED_TRACE(std::string(c.name) + " / " + button.name);
            const CalcOutcome outcome = button.compute(c.texts);
            ASSERT_TRUE(std::holds_alternative<MessageId>(outcome));
            EXPECT_EQ(std::get<MessageId>(outcome), c.expected);
        }
}

TEST(Dilution, DensityIsCheckedAfterTheLadderAndOnlyByItsButton) {
    const DilutionTexts noDensities = fields(u"100", u"10", u"98", u"", u"");
    EXPECT_EQ(std::get<MessageId>(computeConcentrateVolume(noDensities)),
              MessageId::MsgEnterConcentrateDensity);
    EXPECT_EQ(std::get<MessageId>(computeSolventVolume(noDensities)),
              MessageId::MsgEnterSolventDensity);
    EXPECT_EQ(shown(computeConcentrateMass(noDensities)), u"10.2040816326531");
    EXPECT_EQ(shown(computeSolventMass(noDensities)), u"89.7959183673469");

    // With the mass missing as well, the mass message wins.
    const DilutionTexts nothing = fields(u"", u"10", u"98", u"", u"");
    EXPECT_EQ(std::get<MessageId>(computeConcentrateVolume(nothing)),
              MessageId::MsgEnterTargetMass);
    EXPECT_EQ(std::get<MessageId>(computeSolventVolume(nothing)), MessageId::MsgEnterTargetMass);

    // Each volume needs only its own density.
    EXPECT_EQ(shown(computeConcentrateVolume(fields(u"100", u"10", u"98", u"1.84", u""))),
              u"5.54569653948536");
    EXPECT_EQ(shown(computeSolventVolume(fields(u"100", u"10", u"98", u"", u"1"))),
              u"89.7959183673469");
}

TEST(Dilution, CheckCommonInputs) {
    struct Case {
        DilutionInputs inputs;
        std::optional<MessageId> expected;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0}, MessageId::MsgEnterTargetMass},
        {{-0.0, 10, 98, 0, 0}, MessageId::MsgEnterTargetMass},
        {{100, 0, 98, 0, 0}, MessageId::MsgEnterTargetPercent},
        {{100, 10, 0, 0, 0}, MessageId::MsgEnterConcentratePercent},
        {{100, 98.0000001, 98, 0, 0}, MessageId::MsgPercentTooHigh},
        {{100, 98, 98, 0, 0}, std::nullopt},
        {{-5, -10, -5, 0, 0}, std::nullopt},
        {{100, 10, 98, 0, 0}, std::nullopt}, // densities are not part of the common ladder
    };
    for (const auto &c : cases)
        EXPECT_EQ(checkCommonInputs(c.inputs), c.expected);
}

TEST(Dilution, OverflowAtEachPoint) {
    struct Case {
        const char *name;
        DilutionTexts texts;
        bool concentrateMass, solventMass, concentrateVolume, solventVolume;
    };
    const Case cases[] = {
        {"mass read", fields(u"1e999", u"10", u"98", u"1", u"1"), true, true, true, true},
        {"percent read", fields(u"100", u"-1e400", u"98", u"1", u"1"), true, true, true, true},
        {"concentrate percent read", fields(u"100", u"10", u"1e309", u"1", u"1"), true, true, true,
         true},
        // A density is read only by its own button, and before anything else.
        {"concentrate density read", fields(u"", u"", u"", u"1e999", u"1"), false, false, true,
         false},
        {"solvent density read", fields(u"", u"", u"", u"1", u"1e999"), false, false, false, true},
        // Only a negative percentage can make the quotient overflow.
        {"quotient", fields(u"1e300", u"-1e300", u"1e-100", u"1", u"1"), true, true, true, true},
        {"difference", fields(u"1.7e308", u"-1", u"1", u"1", u"1"), false, true, false, true},
        {"volumes", fields(u"1e308", u"1", u"2", u"1e-10", u"1e-10"), false, false, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const bool expected[] = {c.concentrateMass, c.solventMass, c.concentrateVolume,
                                 c.solventVolume};
        for (std::size_t i = 0; i < std::size(buttons); ++i) {
            SCOPED_TRACE(buttons[i].name);
            const CalcOutcome outcome = buttons[i].compute(c.texts);
            EXPECT_EQ(std::holds_alternative<Overflow>(outcome), expected[i])
                << shown(outcome).size();
        }
    }
}

TEST(Messages, ExactTexts) {
    const std::pair<MessageId, std::u16string_view> texts[] = {
        {MessageId::MsgEnterTargetMass, u"请输入所需配制溶液质量!"},
        {MessageId::MsgEnterTargetPercent, u"请输入所需配制溶液浓度!"},
        {MessageId::MsgEnterConcentratePercent, u"请输入浓溶液浓度!"},
        {MessageId::MsgPercentTooHigh, u"所需配制溶液浓度大于浓溶液浓度！这不可能,请重新输入！"},
        {MessageId::MsgEnterConcentrateDensity, u"请输入浓溶液的密度"},
        {MessageId::MsgEnterSolventDensity, u"请输入溶剂的密度"},
    };
    for (const auto &[id, text] : texts)
        EXPECT_EQ(messageText(id), text);
    EXPECT_EQ(messageTitle(), u"注意");
    // The overflow report is none of the six messages and says what happened.
    EXPECT_NE(overflowReport().find(u"溢出"), std::u16string_view::npos);
    for (const auto &[id, text] : texts)
        EXPECT_NE(overflowReport(), text);
}

} // namespace
