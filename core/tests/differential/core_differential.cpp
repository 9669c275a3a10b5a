// Runs the core on a stream of random cases drawn from a seed and writes what it gives. Built
// natively and for the browser: with the same seed and count, the two outputs must be identical,
// byte for byte (compare.cmake checks that).
//
//   core_differential SEED COUNT         per block of 10,000 cases a digest of every input and
//                                        result in it, then the counts of each kind of case
//   core_differential SEED COUNT BLOCK   every case of that block, one line each
//
// The cases: field texts of every shape readNumber knows, doubles across the whole range for
// formatNumber, and the four calculations on texts that reach every message, ties and overflow.
// The generator uses only what gives the same result on every platform, so that both builds draw
// the same cases: integer arithmetic, IEEE operations that round once (ldexp, a division), the
// core's own code and {fmt}. std::mt19937_64 is the same everywhere; its distributions are not.
// Each draw is sequenced on its own: compilers evaluate the operands of one expression (a + b,
// f(a, b)) in different orders.

#include "core/dilution.h"
#include "core/number_text.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>

namespace {

using quorel::core::CalcOutcome;
using quorel::core::DilutionTexts;
using quorel::core::formatNumber;
using quorel::core::readNumber;

constexpr std::uint64_t kBlockSize = 10'000;

class Random {
  public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}

    std::uint64_t bits() { return m_engine(); }
    // 0 to n - 1; the bias of the remainder is of no concern here.
    unsigned below(unsigned n) { return static_cast<unsigned>(bits() % n); }
    bool oneIn(unsigned n) { return below(n) == 0; }
    bool coin() { return (bits() & 1) != 0; }
    char16_t pick(std::u16string_view from) {
        return from[below(static_cast<unsigned>(from.size()))];
    }

  private:
    std::mt19937_64 m_engine;
};

double fromBits(std::uint64_t word) {
    double x;
    std::memcpy(&x, &word, sizeof x);
    return x;
}

std::uint64_t toBits(double x) {
    std::uint64_t word;
    std::memcpy(&word, &x, sizeof word);
    return word;
}

// --- Field texts ----------------------------------------------------------------------------

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string digits(Random &r, unsigned count) {
    // Now and then runs of one digit, which carry or sit exactly on a tie.
    const unsigned style = r.below(8);
    std::u16string out;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned d = style == 0 ? 9 : style == 1 ? 0 : r.below(10);
        out.push_back(static_cast<char16_t>(u'0' + d));
    }
    return out;
}

unsigned digitCount(Random &r) {
    switch (r.below(10)) {
    case 0:
        return 0;
    case 1:
        return 16 + r.below(10); // around the 17 digits a double needs
    case 2:
        return r.below(800); // beyond what fast_float reads in one go
    default:
        return 1 + r.below(8);
    }
}

std::u16string exponentPart(Random &r) {
    std::u16string out(1, r.pick(u"eEdD"));
    const unsigned sign = r.below(3);
    if (sign == 1)
        out.push_back(u'-');
    else if (sign == 2)
        out.push_back(u'+');
    switch (r.below(6)) {
    case 0:
        break; // no digit: the letter does not count
    case 1:
        out += ascii(std::to_string(300 + r.below(30))); // the ends of the double range
        break;
    case 2:
        out += digits(r, 1 + r.below(25)); // far beyond any range
        break;
    case 3:
        out += u"00" + ascii(std::to_string(r.below(400)));
        break;
    default:
        out += ascii(std::to_string(r.below(400)));
        break;
    }
    return out;
}

std::u16string decimalText(Random &r) {
    std::u16string out;
    switch (r.below(8)) {
    case 0:
        out = u"-";
        break;
    case 1:
        out = u"+";
        break;
    case 2:
        out = r.coin() ? u"+-" : u"--";
        break;
    default:
        break;
    }
    out += digits(r, digitCount(r));
    if (!r.oneIn(3)) {
        out += u'.';
        out += digits(r, digitCount(r));
        if (r.oneIn(10))
            out += u'.' + digits(r, 1 + r.below(3));
    }
    if (r.coin())
        out += exponentPart(r);
    return out;
}

// Numbers on the edges of the double range, with more digits than it holds, written either as
// d.ddd...e(E-1) or as 0.000...ddd...e(E+zeros).
std::u16string edgeText(Random &r) {
    struct Edge {
        std::string_view digits; // the value is 0.digits * 10^exponent
        int exponent;
    };
    static constexpr Edge edges[] = {{"17976931348623157", 309},
                                     {"17976931348623158", 309},
                                     {"179769313486231580793", 309},
                                     {"24703282292062327", -323},
                                     {"24703282292062328", -323},
                                     {"49406564584124654", -323},
                                     {"22250738585072011", -307},
                                     {"22250738585072014", -307},
                                     {"9007199254740993", 16},
                                     {"10000000000000002", 1},
                                     {"1", 0},
                                     {"1", 16},
                                     {"1", -3}};
    const Edge &edge = edges[r.below(std::size(edges))];
    const std::u16string mantissa = ascii(edge.digits) + digits(r, r.below(30));
    std::u16string out;
    if (r.oneIn(4)) {
        const unsigned zeros = r.below(400);
        out = u"0." + std::u16string(zeros, u'0') + mantissa + u"e" +
              ascii(std::to_string(edge.exponent + static_cast<int>(zeros)));
    } else {
        out = mantissa.substr(0, 1) + u"." + mantissa.substr(1) + u"e" +
              ascii(std::to_string(edge.exponent - 1));
    }
    return r.coin() ? u"-" + out : out;
}

std::u16string radixText(Random &r) {
    std::u16string out;
    if (r.oneIn(10))
        out += u'-';
    out += u'&';
    out += r.pick(u"HhOoHOX ");
    unsigned count = r.below(20);
    if (r.oneIn(4))
        count = 250 + r.below(120); // around 2^1024 in either base
    const std::u16string_view alphabet = r.coin() ? u"0123456789abcdefABCDEF" : u"01234567";
    if (r.oneIn(3))
        out += r.pick(u"18f7F");
    for (unsigned i = 0; i < count; ++i)
        out += r.oneIn(50) ? r.pick(u"gG8 xZ") : r.pick(alphabet);
    return out;
}

std::u16string junk(Random &r) {
    static constexpr std::u16string_view pieces[] = {
        u"a",      u"g",          u"%",      u",",      u".",      u"e",      u"E+",
        u"-",      u"&",          u"H",      u"5",      u"\u00a0", u"\uff0c", u"\uff15",
        u"\ufffd", u"\U0001F600", u"\xd800", u"\u3000", u"\t",     u"1,000",  u"\u4e00"};
    std::u16string out;
    for (unsigned n = 1 + r.below(3); n > 0; --n)
        out += pieces[r.below(std::size(pieces))];
    return out;
}

// Blanks wherever they fall, full-width forms as an input method types them, and junk after.
std::u16string decorate(Random &r, std::u16string text) {
    if (r.oneIn(4)) {
        for (unsigned n = 1 + r.below(4); n > 0; --n) {
            const auto at = r.below(static_cast<unsigned>(text.size()) + 1);
            text.insert(text.begin() + at, r.pick(u" \t\n\u3000"));
        }
    }
    if (r.oneIn(8)) {
        for (char16_t &c : text)
            if (c > 0x20 && c < 0x7f && r.coin())
                c = static_cast<char16_t>(c + 0xfee0);
    }
    if (r.oneIn(4))
        text += junk(r);
    return text;
}

std::u16string numberText(Random &r) {
    switch (r.below(12)) {
    case 0:
        return decorate(r, radixText(r));
    case 1:
    case 2:
        return decorate(r, edgeText(r));
    case 3:
        return r.coin() ? std::u16string() : junk(r);
    default:
        return decorate(r, decimalText(r));
    }
}

// --- Doubles --------------------------------------------------------------------------------

// A double with the given binary exponent (the subnormals below -1022) and random mantissa.
double withExponent(Random &r, int exponent) {
    const std::uint64_t mantissa = r.bits() & ((std::uint64_t{1} << 52) - 1);
    if (exponent < -1022) {
        const std::uint64_t lead = std::uint64_t{1} << (exponent + 1074);
        return fromBits(lead | (mantissa & (lead - 1)));
    }
    return fromBits((static_cast<std::uint64_t>(exponent + 1023) << 52) | mantissa);
}

double withRandomSign(Random &r, double x) {
    return r.coin() ? -x : x;
}

double anyExponent(Random &r) {
    return withRandomSign(r, withExponent(r, static_cast<int>(r.below(2098)) - 1074));
}

double readOrZero(const std::u16string &text) {
    return readNumber(text).value_or(0.0);
}

double formatValue(Random &r) {
    switch (r.below(7)) {
    case 0: {
        const double x = fromBits(r.bits());
        return std::isfinite(x) ? x : 0.0;
    }
    case 1:
        return anyExponent(r);
    case 2:
        return withRandomSign(r, withExponent(r, static_cast<int>(r.below(76)) - 20));
    case 3: {
        // Sixteen digits ending in 5: halfway between two fifteen-digit roundings, or nearly.
        const std::u16string mantissa = digits(r, 15);
        const int exponent = static_cast<int>(r.below(630)) - 320;
        const std::u16string text = u"0." + mantissa + u"5e" + ascii(std::to_string(exponent));
        return withRandomSign(r, readOrZero(text));
    }
    case 4: {
        // Where the writing switches between plain and exponent form.
        static constexpr std::string_view edges[] = {"9.99999999999999", "1", "9.9999999999999949",
                                                     "9.999999999999995"};
        std::u16string text = ascii(edges[r.below(std::size(edges))]);
        text += digits(r, r.below(4));
        text += r.coin() ? u"e-5" : r.coin() ? u"e14" : u"e-4";
        return withRandomSign(r, readOrZero(text));
    }
    case 5: {
        // A double read from text, or one of its neighbours.
        const std::uint64_t read = toBits(readOrZero(numberText(r)));
        const double x = fromBits(read + r.below(5) - 2);
        return std::isfinite(x) ? x : 0.0;
    }
    default: {
        const double a = 1 + r.below(100000);
        const double b = 1 + r.below(1000);
        return r.coin() ? a / b : a / 10 + b / 100;
    }
    }
}

// The shortest text that reads back as exactly x.
std::u16string exactText(double x) {
    return ascii(fmt::format("{}", x));
}

// --- Calculations ---------------------------------------------------------------------------

std::u16string labText(Random &r) {
    const unsigned whole = 1 + r.below(100000);
    const unsigned decimals = r.below(5);
    if (decimals == 0)
        return ascii(std::to_string(whole));
    unsigned scale = 1;
    for (unsigned i = 0; i < decimals; ++i)
        scale *= 10;
    return ascii(fmt::format("{}.{:0{}}", whole / scale, whole % scale, decimals));
}

double oddWhole(Random &r, unsigned bitCount) {
    return static_cast<double>((r.bits() >> (64 - bitCount)) | 1);
}

DilutionTexts calculationTexts(Random &r, std::u16string storage[5]) {
    double p = 0, m = 0, c = 0;
    const unsigned mode = r.below(5);
    switch (mode) {
    case 0: // as typed in a laboratory
        storage[0] = labText(r);
        storage[1] = labText(r);
        storage[2] = labText(r);
        break;
    case 1: { // p * m / c exactly halfway between two doubles, anywhere in the range
        const unsigned xBits = 20 + r.below(8);
        const double odd = oddWhole(r, 1 + r.below(20));
        const double x = oddWhole(r, xBits);
        const double y = oddWhole(r, 54 - xBits + r.below(2));
        const int shiftP = static_cast<int>(r.below(1960)) - 1000;
        const int shiftM = static_cast<int>(r.below(1960)) - 1000;
        const int shiftC = static_cast<int>(r.below(2000)) - 1000;
        p = std::ldexp(odd * x, shiftP);
        m = std::ldexp(y, shiftM);
        c = std::ldexp(odd, shiftC);
        break;
    }
    case 2: // anywhere, overflow and underflow included
        p = anyExponent(r);
        m = anyExponent(r);
        c = anyExponent(r);
        break;
    default: // every shape of text, which reaches every message
        storage[0] = numberText(r);
        storage[1] = numberText(r);
        storage[2] = numberText(r);
        break;
    }
    if (mode == 1 || mode == 2) {
        // Mostly in the order the checks let through.
        if (r.below(4) != 0 && p > c)
            std::swap(p, c);
        if (r.coin())
            p = -p;
        storage[0] = exactText(m);
        storage[1] = exactText(p);
        storage[2] = exactText(c);
    }
    for (int i = 3; i < 5; ++i) {
        switch (r.below(6)) {
        case 0:
            storage[i] = numberText(r);
            break;
        case 1:
            storage[i] = exactText(anyExponent(r));
            break;
        case 2:
            storage[i] = u"";
            break;
        default:
            storage[i] = labText(r);
            break;
        }
    }
    DilutionTexts texts;
    texts.targetMass = storage[0];
    texts.targetPercent = storage[1];
    texts.concentratePercent = storage[2];
    texts.concentrateDensity = storage[3];
    texts.solventDensity = storage[4];
    return texts;
}

// --- Output ---------------------------------------------------------------------------------

// Field text in plain ASCII: letters, digits and a few signs as they are, the rest as \uXXXX.
void appendText(std::string &line, std::u16string_view text) {
    line += '\'';
    for (const char16_t c : text) {
        const bool plain = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') ||
                           (c >= u'A' && c <= u'Z') ||
                           std::u16string_view(u" .+-&%,").find(c) != std::u16string_view::npos;
        if (plain)
            line += static_cast<char>(c);
        else
            line += fmt::format("\\u{:04x}", static_cast<unsigned>(c));
    }
    line += '\'';
}

void appendDouble(std::string &line, double x) {
    line += fmt::format("{:016x} ", toBits(x));
    appendText(line, formatNumber(x));
}

struct Counts {
    std::uint64_t reads = 0, readOverflows = 0, formats = 0, calculations = 0, results = 0,
                  messages = 0, overflows = 0;
};

void appendOutcome(std::string &line, const CalcOutcome &outcome, Counts &counts) {
    line += ' ';
    if (const double *value = std::get_if<double>(&outcome)) {
        ++counts.results;
        appendDouble(line, *value);
    } else if (const auto *message = std::get_if<quorel::core::MessageId>(&outcome)) {
        ++counts.messages;
        line += fmt::format("message{}", static_cast<int>(*message));
    } else {
        ++counts.overflows;
        line += "overflow";
    }
}

// One case: what went in and what came out, as one line.
std::string runCase(Random &r, Counts &counts) {
    std::string line;
    const unsigned kind = r.below(20);
    if (kind < 9) {
        ++counts.reads;
        const std::u16string text = numberText(r);
        line = "read ";
        appendText(line, text);
        line += " -> ";
        if (const auto value = readNumber(text)) {
            appendDouble(line, *value);
        } else {
            ++counts.readOverflows;
            line += "overflow";
        }
    } else if (kind < 15) {
        ++counts.formats;
        const double x = formatValue(r);
        line = fmt::format("format {:016x} -> ", toBits(x));
        appendText(line, formatNumber(x));
    } else {
        ++counts.calculations;
        std::u16string storage[5];
        const DilutionTexts texts = calculationTexts(r, storage);
        line = "calculate";
        for (const auto &text : storage) {
            line += ' ';
            appendText(line, text);
        }
        line += " ->";
        appendOutcome(line, quorel::core::computeConcentrateMass(texts), counts);
        appendOutcome(line, quorel::core::computeSolventMass(texts), counts);
        appendOutcome(line, quorel::core::computeConcentrateVolume(texts), counts);
        appendOutcome(line, quorel::core::computeSolventVolume(texts), counts);
    }
    return line;
}

// FNV-1a, 64 bits.
class Digest {
  public:
    void add(std::string_view text) {
        for (const char c : text) {
            m_value ^= static_cast<unsigned char>(c);
            m_value *= 0x100000001b3;
        }
        m_value ^= '\n';
        m_value *= 0x100000001b3;
    }
    std::uint64_t value() const { return m_value; }

  private:
    std::uint64_t m_value = 0xcbf29ce484222325;
};

bool parse(const char *arg, std::uint64_t &out) {
    const char *end = arg + std::strlen(arg);
    const auto [ptr, error] = std::from_chars(arg, end, out);
    return error == std::errc() && ptr == end && ptr != arg;
}

} // namespace

int main(int argc, char **argv) {
    std::uint64_t seed = 0, count = 0, shown = 0;
    const bool show = argc == 4;
    if ((argc != 3 && argc != 4) || !parse(argv[1], seed) || !parse(argv[2], count) ||
        (show && !parse(argv[3], shown))) {
        std::fprintf(stderr, "usage: %s SEED COUNT [BLOCK]\n", argv[0]);
        return 2;
    }
    Random random(seed);
    Counts counts;
    Digest digest;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string line = runCase(random, counts);
        const std::uint64_t block = i / kBlockSize;
        if (show) {
            if (block == shown)
                std::printf("case %llu: %s\n", static_cast<unsigned long long>(i), line.c_str());
            continue;
        }
        digest.add(line);
        if ((i + 1) % kBlockSize == 0 || i + 1 == count) {
            std::printf("block %llu %016llx\n", static_cast<unsigned long long>(block),
                        static_cast<unsigned long long>(digest.value()));
            digest = Digest();
        }
    }
    if (!show) {
        std::printf("%llu cases: %llu texts read (%llu overflow), %llu values written, %llu "
                    "calculations of four (%llu results, %llu messages, %llu overflows)\n",
                    static_cast<unsigned long long>(count),
                    static_cast<unsigned long long>(counts.reads),
                    static_cast<unsigned long long>(counts.readOverflows),
                    static_cast<unsigned long long>(counts.formats),
                    static_cast<unsigned long long>(counts.calculations),
                    static_cast<unsigned long long>(counts.results),
                    static_cast<unsigned long long>(counts.messages),
                    static_cast<unsigned long long>(counts.overflows));
    }
    return 0;
}
