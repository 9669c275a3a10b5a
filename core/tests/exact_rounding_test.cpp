// Checks the places where the core promises correct rounding against MPFR: concentrateMass (the
// double nearest to targetPercent * targetMass / concentratePercent, with gradual underflow),
// formatNumber (the value rounded to 15 significant digits) and '&H' / '&O' numbers of any
// length (the double nearest to the whole number).
//
// After GoogleTest's own options, '--samples=N' sets the sample count and '--seed=S' the seed
// of the random samples; any other argument is refused. The default count suits every build;
// the release run (ctest -L release) passes ten million.

#include "core/dilution.h"
#include "core/exact_quotient.h"
#include "core/number_text.h"
#include "core/tests/support/mpfr_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using quorel::core::CalcOutcome;
using quorel::core::DilutionTexts;
using quorel::core::Overflow;

// Quick enough for every run, also in a sanitized debug build (a few seconds).
long long g_samples = 400'000;
std::uint64_t g_seed = 20241210;

constexpr int kMaxReported = 10;

std::string hex(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::hex);
    return std::string(buffer, result.ptr);
}

std::string hex(std::optional<double> x) {
    return x ? hex(*x) : std::string("overflow");
}

// Shortest text that reads back as exactly x.
std::u16string exactText(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::u16string(buffer, result.ptr);
}

std::string toAscii(const std::u16string &text, bool &ascii) {
    std::string out;
    ascii = true;
    for (char16_t unit : text) {
        if (unit > 0x7F) {
            ascii = false;
        }
        out.push_back(static_cast<char>(unit));
    }
    return out;
}

bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

class Sampler {
  public:
    explicit Sampler(std::uint64_t seed) : m_rng(seed) {}

    std::uint64_t bits() { return m_rng(); }
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool coin() { return (m_rng() & 1) != 0; }

    // A double with the given unbiased binary exponent (clamped to the subnormal range below
    // -1022) and random sign and mantissa bits. Never zero.
    double withExponent(int exponent) {
        const std::uint64_t mantissa = bits() & ((std::uint64_t{1} << 52) - 1);
        std::uint64_t word;
        if (exponent < -1022) {
            // Subnormal with the leading bit at 2^exponent.
            const int shift = std::max(exponent + 1074, 0);
            const std::uint64_t lead = std::uint64_t{1} << shift;
            word = lead | (mantissa & (lead - 1));
        } else {
            word = (static_cast<std::uint64_t>(exponent + 1023) << 52) | mantissa;
        }
        return withSign(std::bit_cast<double>(word));
    }

    // Any finite double, each bit pattern equally likely.
    double anyFinite() {
        for (;;) {
            const double x = std::bit_cast<double>(bits());
            if (std::isfinite(x)) {
                return x;
            }
        }
    }

    // A whole number of at most the given count of bits, odd so that all of them count.
    double oddWhole(int bitCount) {
        const std::uint64_t value = (bits() >> (64 - bitCount)) | 1;
        return static_cast<double>(value);
    }

    double withSign(double x) { return coin() ? -x : x; }

  private:
    std::mt19937_64 m_rng;
};

struct Triple {
    double p, m, c;
};

// Three doubles whose p * m / c has about the given binary exponent.
Triple withResultExponent(Sampler &s, int target) {
    for (;;) {
        const int ep = s.uniform(-1074, 1023);
        const int em = s.uniform(-1074, 1023);
        const int ec = ep + em - target;
        if (ec >= -1074 && ec <= 1023)
            return {s.withExponent(ep), s.withExponent(em), s.withExponent(ec)};
    }
}

// p, m and c each moved by its own power of two and given a random sign; the shifts keep the
// ratio p * m / c anywhere in the double range.
Triple scattered(Sampler &s, double p, double m, double c) {
    const int shiftP = s.uniform(-1000, 960);
    const int shiftM = s.uniform(-1000, 960);
    const int shiftC = s.uniform(-1000, 1000);
    return {s.withSign(std::ldexp(p, shiftP)), s.withSign(std::ldexp(m, shiftM)),
            s.withSign(std::ldexp(c, shiftC))};
}

// Inputs spread over the whole exponent range of all three numbers, weighted towards results
// that land inside the double range (including its subnormal end and the overflow threshold)
// while the product itself may lie far outside it, and towards exact halfway cases.
Triple sampleTriple(Sampler &s) {
    switch (s.uniform(0, 7)) {
    case 0:
        return {s.anyFinite(), s.anyFinite(), s.anyFinite()};
    case 1:
    case 2: {
        // Result exponent anywhere from below the smallest subnormal to beyond DBL_MAX.
        return withResultExponent(s, s.uniform(-1080, 1026));
    }
    case 3: {
        // Close to the overflow threshold or to the bottom of the subnormal range.
        return withResultExponent(s, s.coin() ? s.uniform(1021, 1025) : s.uniform(-1077, -1018));
    }
    case 4: {
        // p * m / c exactly halfway between two doubles: odd factors whose product has 54
        // bits, and c sharing its odd factor with p.
        const int xBits = s.uniform(20, 27);
        const double odd = s.oddWhole(s.uniform(1, 20));
        const double x = s.oddWhole(xBits);
        const double m = s.oddWhole(54 - xBits + s.uniform(0, 1));
        return scattered(s, odd * x, m, odd);
    }
    case 5: {
        // Quotients that are exact, or nearly so.
        const double odd = s.oddWhole(s.uniform(1, 20));
        const double x = s.oddWhole(s.uniform(1, 27));
        const double m = s.oddWhole(s.uniform(1, 27));
        return scattered(s, odd * x, m, odd + 2 * s.uniform(0, 1));
    }
    case 6: {
        // The same with results at the subnormal end, where fewer bits remain.
        const double odd = s.oddWhole(s.uniform(1, 12));
        const double x = s.oddWhole(s.uniform(1, 27));
        const double m = s.oddWhole(s.uniform(1, 27));
        const int shiftP = s.uniform(-600, 0);
        const int shiftM = s.uniform(-600, 0);
        const int resultExponent = s.uniform(-1130, -1040);
        const int shiftC = shiftP + shiftM - resultExponent;
        if (shiftC > 1000) {
            return {s.withSign(odd * x), s.withSign(m), s.withSign(odd)};
        }
        return {s.withSign(std::ldexp(odd * x, shiftP)), s.withSign(std::ldexp(m, shiftM)),
                s.withSign(std::ldexp(odd, shiftC))};
    }
    default: {
        // Numbers as typed in a laboratory: short decimals of modest size.
        const auto labValue = [&s] {
            const double whole = s.uniform(1, 100000);
            return whole / std::pow(10.0, s.uniform(0, 4));
        };
        return {labValue(), s.withSign(labValue()), labValue()};
    }
    }
}

TEST(ExactProductQuotient, MatchesMpfrOverTheWholeRange) {
    Sampler sampler(g_seed);
    long long mismatches = 0, overflows = 0, subnormals = 0, beyondProducts = 0;
    for (long long i = 0; i < g_samples; ++i) {
        Triple t = sampleTriple(sampler);
        if (t.c == 0) {
            t.c = 1;
        }
        const double expected = quorel::reference::productQuotient(t.p, t.m, t.c);
        const std::optional<double> actual = quorel::core::exactProductQuotient(t.p, t.m, t.c);
        const bool match = std::isinf(expected)
                               ? !actual.has_value()
                               : actual.has_value() && sameDouble(*actual, expected);
        overflows += std::isinf(expected);
        subnormals += std::isfinite(expected) && expected != 0 &&
                      std::fabs(expected) < std::numeric_limits<double>::min();
        beyondProducts += std::isinf(t.p * t.m) && std::isfinite(expected);
        if (!match && ++mismatches <= kMaxReported) {
            ADD_FAILURE() << "p=" << hex(t.p) << " m=" << hex(t.m) << " c=" << hex(t.c)
                          << ": expected " << hex(expected) << ", got " << hex(actual);
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << g_samples << " samples";
    // The sampler must actually reach the hard cases.
    EXPECT_GT(overflows, g_samples / 50);
    EXPECT_GT(subnormals, g_samples / 50);
    EXPECT_GT(beyondProducts, g_samples / 50);
    std::printf("%lld samples: %lld overflow, %lld subnormal, %lld with a product beyond the "
                "double range, %lld mismatches\n",
                g_samples, overflows, subnormals, beyondProducts, mismatches);
}

// The same through the button: field texts in, concentrateMass out. Samples with a zero are
// left out, and targetPercent and concentratePercent swapped where the first is the larger, so
// that every input passes the checks.
TEST(ConcentrateMass, FieldTextsMatchMpfr) {
    Sampler sampler(g_seed + 1);
    const long long count = g_samples / 4;
    long long mismatches = 0;
    for (long long i = 0; i < count; ++i) {
        Triple t = sampleTriple(sampler);
        if (t.p == 0 || t.m == 0 || t.c == 0) {
            continue;
        }
        if (t.p > t.c) {
            std::swap(t.p, t.c);
        }
        const std::u16string targetMass = exactText(t.m);
        const std::u16string targetPercent = exactText(t.p);
        const std::u16string concentratePercent = exactText(t.c);
        DilutionTexts texts;
        texts.targetMass = targetMass;
        texts.targetPercent = targetPercent;
        texts.concentratePercent = concentratePercent;
        const CalcOutcome outcome = quorel::core::computeConcentrateMass(texts);
        const double expected = quorel::reference::productQuotient(t.p, t.m, t.c);
        const bool match = std::isinf(expected)
                               ? std::holds_alternative<Overflow>(outcome)
                               : std::holds_alternative<double>(outcome) &&
                                     sameDouble(std::get<double>(outcome), expected);
        if (!match && ++mismatches <= kMaxReported) {
            std::string got = std::holds_alternative<double>(outcome)
                                  ? hex(std::get<double>(outcome))
                              : std::holds_alternative<Overflow>(outcome)
                                  ? std::string("overflow")
                                  : "message " + std::to_string(static_cast<int>(
                                                     std::get<quorel::core::MessageId>(outcome)));
            ADD_FAILURE() << "Text1=" << hex(t.m) << " Text2=" << hex(t.p) << " Text3=" << hex(t.c)
                          << ": expected " << hex(expected) << ", got " << got;
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << count << " samples";
}

// Halfway and threshold cases that random sampling hits only by luck.
TEST(ExactProductQuotient, DirectedCases) {
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct {
        const char *name;
        double p, m, c;
    } cases[] = {
        {"product far beyond the range", 1e308, 1e308, 1e308},
        {"negative product far beyond", -1e308, 1e308, 1e308},
        {"max times two over two", max, 2, 2},
        {"just overflows", max, 1 + 0x1p-52, 1},
        // (2^54 - 1) / 3 * 2^970 * 3 is 2^1024 - 2^970, halfway above DBL_MAX.
        {"halfway above the largest ties to overflow", 0x1.5555555555555p+1022, 3, 1},
        {"just below halfway stays finite", 0x1.5555555555555p+1022, 3, 1 + 0x1p-52},
        {"tiny product over big divisor", 1e-308, 1e-308, 1e-300},
        {"half the smallest subnormal ties to zero", tiny, 1, 2},
        {"three halves of it tie to even", tiny, 3, 2},
        {"just above half rounds up", tiny, 0x1.0000000000001p0, 2},
        {"subnormal from huge parts", 1e300, 1e-300, 1e308},
        {"lab figures", 10, 100, 98},
        {"equal percentages", 20, 50, 20},
        {"negative mass", 10, -100, 98},
        {"zero percent", 0, 100, 98},
        {"negative zero", -0.0, 100, 98},
        {"underflow keeps the sign", -tiny, tiny, 1},
    };
    for (const auto &c : cases) {
        const double expected = quorel::reference::productQuotient(c.p, c.m, c.c);
        const std::optional<double> actual = quorel::core::exactProductQuotient(c.p, c.m, c.c);
        if (std::isinf(expected)) {
            EXPECT_FALSE(actual.has_value()) << c.name << ": got " << hex(actual);
        } else {
            ASSERT_TRUE(actual.has_value()) << c.name;
            EXPECT_TRUE(sameDouble(*actual, expected))
                << c.name << ": expected " << hex(expected) << ", got " << hex(*actual);
        }
    }
}

// Doubles around each power of ten, where the 15th digit carries into a new decade and the
// notation switches at 0.0001 and 10^15.
void appendDecadeEdges(std::vector<double> &values) {
    for (int exponent = -324; exponent <= 308; ++exponent) {
        for (const char *mantissa : {"1", "9.999999999999995", "9.99999999999999", "5"}) {
            const std::string text = std::string(mantissa) + "e" + std::to_string(exponent);
            double x = 0;
            std::from_chars(text.data(), text.data() + text.size(), x);
            if (x == 0 || !std::isfinite(x)) {
                continue;
            }
            double down = x, up = x;
            for (int step = 0; step < 4; ++step) {
                values.push_back(down);
                values.push_back(up);
                values.push_back(-up);
                down = std::nextafter(down, 0.0);
                up = std::nextafter(up, HUGE_VAL);
            }
        }
    }
}

double sampleFormatValue(Sampler &s) {
    switch (s.uniform(0, 4)) {
    case 0:
        return s.anyFinite();
    case 1:
        // Exponents spread evenly, so the positional range gets its share.
        return s.withExponent(s.uniform(-1074, 1023));
    case 2:
        return s.withExponent(s.uniform(-20, 55));
    case 3: {
        // Whole numbers of 16 digits can be exactly halfway between two 15-digit roundings.
        const std::uint64_t whole = 1'000'000'000'000'000 + s.bits() % 8'007'199'254'740'992;
        return s.withSign(static_cast<double>(whole));
    }
    default: {
        // Quotients and sums as the calculations produce them.
        const double a = s.uniform(1, 100000);
        const double b = s.uniform(1, 1000);
        return s.coin() ? a / b : a / 10 + b / 100;
    }
    }
}

TEST(FormatNumber, MatchesMpfrFifteenDigitRounding) {
    Sampler sampler(g_seed + 2);
    std::vector<double> values{0.0,
                               -0.0,
                               0.1 + 0.2,
                               1000.0 / 98,
                               1.0 / 3,
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min()};
    appendDecadeEdges(values);
    const std::size_t directed = values.size();
    for (long long i = 0; i < g_samples; ++i) {
        values.push_back(sampleFormatValue(sampler));
    }
    long long mismatches = 0;
    for (const double x : values) {
        bool ascii = true;
        const std::string actual = toAscii(quorel::core::formatNumber(x), ascii);
        const std::string expected = quorel::reference::fifteenDigits(x);
        if ((!ascii || actual != expected) && ++mismatches <= kMaxReported) {
            ADD_FAILURE() << hex(x) << ": expected '" << expected << "', got '" << actual << "'";
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << values.size() << " values (" << directed << " directed)";
}

// The bits of a whole number, most significant first, shaped to reach the rounding's hard cases:
// lengths around 53 and 64 bits and around 2^1024, and below the 53 bits kept a round bit and a
// tail that make exact ties, near-ties and sticky bits far down.
std::vector<bool> sampleWholeBits(Sampler &s) {
    int length = 0;
    switch (s.uniform(0, 3)) {
    case 0:
        length = s.uniform(1, 80);
        break;
    case 1:
        length = s.uniform(1018, 1030);
        break;
    default:
        length = s.uniform(1, 1100);
        break;
    }
    std::vector<bool> bits(static_cast<std::size_t>(length));
    bits[0] = true;
    const int tailPattern = s.uniform(0, 3);
    const int tailOne = s.uniform(55, std::max(55, length - 1));
    for (int i = 1; i < length; ++i) {
        bool bit = s.coin();
        if (i > 53) {
            switch (tailPattern) {
            case 0:
                bit = false;
                break;
            case 1:
                bit = true;
                break;
            case 2:
                bit = i == tailOne;
                break;
            default:
                break;
            }
        }
        bits[static_cast<std::size_t>(i)] = bit;
    }
    return bits;
}

// The bits written as digits of bitsPerDigit bits each, with a few leading zeros.
std::string digitsOf(const std::vector<bool> &bits, int bitsPerDigit, int leadingZeros) {
    std::string digits(static_cast<std::size_t>(leadingZeros), '0');
    const std::size_t width = static_cast<std::size_t>(bitsPerDigit);
    const std::size_t padding = (width - bits.size() % width) % width;
    unsigned digit = 0;
    for (std::size_t i = 0; i < padding + bits.size(); ++i) {
        digit = (digit << 1) | (i >= padding && bits[i - padding] ? 1u : 0u);
        if ((i + 1) % width == 0) {
            digits.push_back("0123456789abcdef"[digit]);
            digit = 0;
        }
    }
    return digits;
}

TEST(ReadNumber, RadixNumbersMatchMpfr) {
    Sampler sampler(g_seed + 3);
    const long long count = g_samples / 4;
    long long mismatches = 0, overflows = 0, ties = 0;
    for (long long i = 0; i < count; ++i) {
        const std::vector<bool> bits = sampleWholeBits(sampler);
        const bool base16 = sampler.coin();
        const int base = base16 ? 16 : 8;
        std::string digits = digitsOf(bits, base16 ? 4 : 3, sampler.uniform(0, 2));
        if (sampler.coin()) {
            std::transform(digits.begin(), digits.end(), digits.begin(),
                           [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
        }
        const std::string text = std::string("&") + (base16 ? "H" : "o") + digits;
        const std::optional<double> expected = quorel::reference::wholeNumber(digits, base);
        const std::optional<double> actual =
            quorel::core::readNumber(std::u16string(text.begin(), text.end()));
        overflows += !expected.has_value();
        ties += bits.size() > 53 && bits[53] &&
                std::find(bits.begin() + 54, bits.end(), true) == bits.end();
        const bool match =
            expected ? actual.has_value() && sameDouble(*actual, *expected) : !actual.has_value();
        if (!match && ++mismatches <= kMaxReported) {
            ADD_FAILURE() << text << ": expected " << hex(expected) << ", got " << hex(actual);
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << count << " samples";
    // The sampler must actually reach the hard cases.
    EXPECT_GT(overflows, count / 50);
    EXPECT_GT(ties, count / 50);
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto numberAfter = [&arg, argv](std::string_view prefix, auto &out) {
            if (!arg.starts_with(prefix)) {
                return false;
            }
            const auto rest = arg.substr(prefix.size());
            const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), out);
            if (result.ec != std::errc() || result.ptr != rest.data() + rest.size()) {
                std::fprintf(stderr, "bad number in %s\n", argv[0]);
                std::exit(2);
            }
            return true;
        };
        if (!numberAfter("--samples=", g_samples) && !numberAfter("--seed=", g_seed)) {
            std::fprintf(stderr, "usage: %s [gtest options] [--samples=N] [--seed=S]\n", argv[0]);
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
