// Differential fuzzing of the number reader and writer. Each input is decoded into field text
// in several ways; readNumber must agree with an independent reader written differently (a
// regular expression over an ASCII-folded copy for the extent, the C library and MPFR for the
// value), and formatNumber must agree with C's '%.15g' and read back to the same 15 digits.
// Any disagreement aborts, which libFuzzer reports like a crash.

#include "core/number_text.h"
#include "core/tests/support/mpfr_reference.h"
#include "fuzz/field_text.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

namespace {

// The regular expressions recurse once per character; longer texts would exhaust the stack of
// the reference, not of the code under test.
constexpr std::size_t kMaxInput = 4096;

std::string printable(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        char buffer[16];
        if (unit >= 0x20 && unit < 0x7f && unit != '\\') {
            out.push_back(static_cast<char>(unit));
        } else {
            std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(unit));
            out += buffer;
        }
    }
    return out;
}

std::string describe(std::optional<double> value) {
    if (!value) {
        return "overflow";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a (%.17g)", *value, *value);
    return buffer;
}

[[noreturn]] void disagree(const char *what, std::u16string_view text, const std::string &core,
                           const std::string &reference) {
    std::fprintf(stderr, "%s disagree on '%s'\n  core:      %s\n  reference: %s\n", what,
                 printable(text).c_str(), core.c_str(), reference.c_str());
    std::abort();
}

// --- The reference reader -------------------------------------------------------------------

// The text as the reader should see it: removed blanks gone, full-width forms replaced by their
// ASCII counterparts, and every other character that cannot belong to a number replaced by '#'.
std::string foldToAscii(std::u16string_view text) {
    std::string out;
    for (char32_t unit : text) {
        if (unit == U' ' || unit == U'\t' || unit == U'\n' || unit == U'\u3000') {
            continue;
        }
        if (unit >= U'\uff01' && unit <= U'\uff5e') {
            unit -= 0xfee0;
        }
        out.push_back(unit > 0x20 && unit < 0x7f ? static_cast<char>(unit) : '#');
    }
    return out;
}

struct Reference {
    std::optional<double> value;
    bool anyDigit; // only then is the sign of a zero result defined
};

Reference referenceRead(std::u16string_view text) {
    static const std::regex radixForm("&(?:([Hh])([0-9A-Fa-f]*)|([Oo])([0-7]*))");
    static const std::regex decimalForm("([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[EeDd]([+-]?[0-9]+))?");
    const std::string folded = foldToAscii(text);
    std::smatch match;
    if (std::regex_search(folded, match, radixForm, std::regex_constants::match_continuous)) {
        return {match[1].matched ? quorel::reference::wholeNumber(match[2].str(), 16)
                                 : quorel::reference::wholeNumber(match[4].str(), 8),
                true};
    }
    if (!folded.empty() && folded[0] == '&') {
        return {0.0, false};
    }
    std::regex_search(folded, match, decimalForm, std::regex_constants::match_continuous);
    if (match[2].length() + match[3].length() == 0) {
        return {0.0, false};
    }
    // Rebuilt in the C library's own syntax and read in the "C" locale, which this program
    // never changes.
    std::string number = match[1].str() + match[2].str() + "." + match[3].str();
    if (match[4].matched) {
        number += "e" + match[4].str();
    }
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) {
        return {std::nullopt, true};
    }
    return {value, true};
}

// --- Checks ----------------------------------------------------------------------------------

void checkRead(std::u16string_view text) {
    const std::optional<double> core = quorel::core::readNumber(text);
    const Reference reference = referenceRead(text);
    bool same = core.has_value() == reference.value.has_value();
    if (same && core) {
        same = *core == *reference.value &&
               (!reference.anyDigit || std::signbit(*core) == std::signbit(*reference.value));
    }
    if (!same) {
        disagree("readNumber and the reference", text, describe(core), describe(reference.value));
    }
}

std::string toAscii(const std::u16string &text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit >= 0x80) {
            disagree("formatNumber wrote a non-ASCII character;", text, "", "");
        }
        out.push_back(static_cast<char>(unit));
    }
    return out;
}

void checkFormat(double x) {
    if (!std::isfinite(x)) {
        return; // never reaches formatNumber: an infinite result is an overflow
    }
    const std::u16string text = quorel::core::formatNumber(x);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", x);
    std::string expected = x == 0 ? "0" : buffer;
    for (char &ch : expected) {
        if (ch == 'e') {
            ch = 'E';
        }
    }
    if (toAscii(text) != expected) {
        disagree("formatNumber and %.15g", text, describe(x), expected);
    }
    // Read back, the text gives the double nearest to its 15 digits (or overflows, for values
    // within half a 15th digit of the largest double).
    const std::optional<double> back = quorel::core::readNumber(text);
    const double nearest = std::strtod(buffer, nullptr);
    const bool same =
        std::isinf(nearest) ? !back.has_value() : back.has_value() && *back == nearest;
    if (!same) {
        disagree("readNumber(formatNumber(x)) and the 15-digit value", text, describe(back),
                 describe(nearest));
    }
}

void checkText(std::u16string_view text) {
    checkRead(text);
    if (const std::optional<double> value = quorel::core::readNumber(text)) {
        checkFormat(*value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size > kMaxInput) {
        return -1; // not added to the corpus
    }
    checkText(quorel::fuzz::asWideOrNarrow(data, size));
    checkText(quorel::fuzz::asUtf8(data, size));
    checkText(quorel::fuzz::asUtf16(data, size));
    // The first eight bytes as the bits of a double, for the writer on its own.
    if (size >= 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkFormat(std::bit_cast<double>(bits));
    }
    return 0;
}
