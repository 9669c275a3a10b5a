#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>
#include <string_view>

using quorel::core::formatNumber;
using quorel::core::readNumber;

namespace {

struct ReadCase {
    std::u16string text;
    double expected;
};

std::string describe(const std::u16string &text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "\\u" + std::to_string(c);
    return out;
}

void expectReads(const std::u16string &text, double expected) {
    SCOPED_TRACE("text: '" + describe(text) + "'");
    const std::optional<double> value = readNumber(text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, expected); // exact: the nearest double, never merely close to it
}

const ReadCase decimalCases[] = {
    // No digit at all reads as zero.
    {u"", 0},
    {u"   ", 0},
    {u"abc", 0},
    {u".", 0},
    {u"-", 0},
    {u"+-5", 0},
    {u"e5", 0},
    {u".e5", 0},
    {u"0.0", 0},
    {u"-0", 0},
    {u"0e5", 0},
    {u"0e99999999999999999999", 0},
    // Blanks, tabs and line feeds vanish wherever they stand.
    {u" 1 0 0 ", 100},
    {u" 1 2 . 5 ", 12.5},
    {u"\t4\n2", 42},
    {u"- 7", -7},
    {u"1 e 3", 1000},
    // Reading stops at the first character that cannot continue the number.
    {u"12abc", 12},
    {u"3.5g", 3.5},
    {u"12%", 12},
    {u"2.5.1", 2.5},
    {u"1,000", 1},
    {u"1,5", 1},
    {u"1\u00a02", 1}, // a no-break space is not a blank
    {u"1\U0001F600", 1},
    {u"\U0001F6001", 0},
    // Signs and exponents.
    {u"-7", -7},
    {u"+7", 7},
    {u"1e3", 1000},
    {u"1E-2", 0.01},
    {u"2.5e+2", 250},
    {u"1d2", 100},
    {u"1D-1", 0.1},
    {u"1e", 1},
    {u"1e+", 1},
    {u"1e-x", 1},
    {u".5", 0.5},
    {u"5.", 5},
    {u"-.25", -0.25},
    // Correct rounding of decimal text.
    {u"0.1", 0.1},
    {u"9007199254740993", 9007199254740992.0},
    {u"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {u"0.000001e314", 1e308},
    {u"4.9e-324", std::numeric_limits<double>::denorm_min()},
    // Too small for a double: zero, not an error.
    {u"1e-999", 0},
    {u"100000e-330", 0},
    {u"-1e-400", 0},
    // What an input method types reads like its ASCII form.
    {u"１２．５", 12.5},
    {u"１\u3000０\u3000０", 100},
    {u"－３", -3},
    {u"＋３", 3},
    {u"１ｅ３", 1000},
    {u"１２％", 12},
};

TEST(ReadNumber, Decimal) {
    for (const auto &c : decimalCases)
        expectReads(c.text, c.expected);
}

TEST(ReadNumber, NegativeZeroKeepsItsSign) {
    const auto value = readNumber(u"-0");
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(std::signbit(*value));
}

TEST(ReadNumber, DecimalUnderACommaLocale) {
    // A locale whose decimal separator is ',' must change nothing. Some C libraries (musl, in the
    // browser build) accept any locale name and give it the "C" locale's separator.
    const char *names[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8"};
    const char *chosen = nullptr;
    for (const char *name : names)
        if (std::setlocale(LC_ALL, name) &&
            std::string_view(std::localeconv()->decimal_point) == ",") {
            chosen = name;
            break;
        }
    if (!chosen) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no comma locale installed";
    }
    std::locale::global(std::locale(chosen));
    for (const auto &c : decimalCases)
        expectReads(c.text, c.expected);
    EXPECT_EQ(formatNumber(12.5), u"12.5");
    EXPECT_EQ(formatNumber(1.5e-5), u"1.5E-05");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
}

TEST(ReadNumber, RadixPrefixes) {
    const ReadCase cases[] = {
        {u"&HFFFF", 65535},
        {u"&H8000", 32768}, // never wraps round to a negative value
        {u"&H1F", 31},
        {u"&h1f", 31},
        {u"& H 1 F", 31},
        {u"&H1G", 1},
        {u"&H", 0},
        {u"&O17", 15},
        {u"&o17", 15},
        {u"&O8", 0},
        {u"&O", 0},
        {u"&", 0},
        {u"&X1", 0},
        {u"-&H10", 0},
        {u"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
        {u"&O7777777777777777777777", 73786976294838206464.0}, // 2^66 - 1, rounded to 2^66
        {u"&O1" + std::u16string(340, u'0'), std::ldexp(1.0, 1020)},
        {u"&Ｈ１Ｆ", 31},
    };
    for (const auto &c : cases)
        expectReads(c.text, c.expected);
}

TEST(ReadNumber, BeyondTheDoubleRangeIsAnOverflow) {
    const std::u16string texts[] = {
        u"1e999",
        u"-1e400",
        u"1e309",
        u"1.8e308",
        u"1e99999999999999999999",
        u"0.00001e400",
        u"&H1" + std::u16string(256, u'0'),
        u"&O1" + std::u16string(342, u'0'),
    };
    for (const auto &text : texts) {
        SCOPED_TRACE(describe(text));
        EXPECT_FALSE(readNumber(text).has_value());
    }
}

TEST(ReadNumber, VeryLongText) {
    EXPECT_EQ(readNumber(std::u16string(100000, u'0') + u"7"), 7);
    EXPECT_EQ(readNumber(u"0." + std::u16string(100000, u'0') + u"1e100003"), 100);
    EXPECT_EQ(readNumber(std::u16string(100000, u' ')), 0);
}

TEST(FormatNumber, Table) {
    struct Case {
        std::optional<double> value;
        std::u16string expected;
    };
    const Case cases[] = {
        {std::nullopt, u""},
        {0.0, u"0"},
        {-0.0, u"0"},
        {12.5, u"12.5"},
        {100, u"100"},
        {0.5, u"0.5"},
        {-0.5, u"-0.5"},
        {1.0 / 3, u"0.333333333333333"},
        {1000.0 / 98, u"10.2040816326531"},
        {0.1 + 0.2, u"0.3"},
        {1234567.0, u"1234567"},
        {0.0001, u"0.0001"},
        {0.00012345, u"0.00012345"},
        {999999999999999.0, u"999999999999999"},
        {999999999999999.9, u"1E+15"}, // rounds up to the next power of ten
        {1e15, u"1E+15"},
        {1.5e-5, u"1.5E-05"},
        {-2.5e300, u"-2.5E+300"},
        {123456789012345678.0, u"1.23456789012346E+17"},
        {std::numeric_limits<double>::max(), u"1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value ? std::to_string(*c.value) : "empty");
        EXPECT_EQ(formatNumber(c.value), c.expected);
    }
}

} // namespace
