#include "core/number_text.h"

#include <fast_float/fast_float.h>
// GCC 12 at -O3 for arm64 sees {fmt}'s integer writer step before its buffer on a path that
// never runs (its size is at least one digit) and warns; x86-64 builds of the same code do not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#include <fmt/compile.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace quorel::core {
namespace {

// What the number reader sees of one UTF-16 code unit: blanks vanish, and the full-width forms
// an input method types ('１２．５', '－３', 'ｅ') stand for their ASCII counterparts.
// Blank and End lie outside UTF-16, so no code unit of the text can be mistaken for them.
using Unit = char32_t;
constexpr Unit Blank = 0x110000;
constexpr Unit End = 0x110001;

Unit fold(char16_t unit) {
    if (unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\u3000')
        return Blank;
    if (unit >= u'\uff01' && unit <= u'\uff5e')
        return Unit{unit} - 0xfee0;
    return unit;
}

// Walks a field text one folded unit at a time, skipping the blanks.
class Cursor {
  public:
    explicit Cursor(std::u16string_view text) : m_text(text) { skipBlanks(); }

    Unit peek() const { return m_pos < m_text.size() ? fold(m_text[m_pos]) : End; }
    void advance() {
        ++m_pos;
        skipBlanks();
    }

  private:
    void skipBlanks() {
        while (m_pos < m_text.size() && fold(m_text[m_pos]) == Blank)
            ++m_pos;
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

bool isDigit(Unit c) {
    return c >= u'0' && c <= u'9';
}

int hexValue(Unit c) {
    if (isDigit(c))
        return static_cast<int>(c - u'0');
    if (c >= u'a' && c <= u'f')
        return static_cast<int>(c - u'a') + 10;
    if (c >= u'A' && c <= u'F')
        return static_cast<int>(c - u'A') + 10;
    return -1;
}

bool isOctalDigit(Unit c) {
    return c >= u'0' && c <= u'7';
}

// A non-negative whole number of any length, taken in from its most significant end one digit
// at a time: its first 64 significant bits exactly, and whether any bit after them is set.
class WholeNumber {
  public:
    void appendDigit(int digit, int bitsPerDigit) {
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit)
            appendBit(((digit >> bit) & 1) != 0);
    }

    // The nearest double, ties to even, or std::nullopt from 2^1024 on.
    std::optional<double> nearest() const {
        if (m_bitCount > 1024)
            return std::nullopt;
        const int held = static_cast<int>(std::min<std::int64_t>(m_bitCount, 64));
        const int dropped = std::max(held - significandBits, 0);
        std::uint64_t kept = m_top >> dropped;
        if (dropped > 0) {
            const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
            const std::uint64_t rest = m_top & ((half << 1) - 1);
            if (rest > half || (rest == half && (m_sticky || (kept & 1) != 0)))
                ++kept;
        }
        // kept has at most 54 bits, so this is exact unless the value reaches 2^1024.
        const double value =
            std::ldexp(static_cast<double>(kept), static_cast<int>(m_bitCount) - held + dropped);
        if (std::isinf(value))
            return std::nullopt;
        return value;
    }

  private:
    static constexpr int significandBits = 53;

    void appendBit(bool set) {
        if (m_bitCount == 0 && !set)
            return; // a leading zero
        if (m_bitCount < 64)
            m_top = (m_top << 1) | (set ? 1 : 0);
        else
            m_sticky = m_sticky || set;
        ++m_bitCount;
    }

    std::uint64_t m_top = 0;
    std::int64_t m_bitCount = 0; // significant bits so far
    bool m_sticky = false;
};

// '&H' and '&O' numbers are read as non-negative whole numbers of any length, rounded to the
// nearest double like decimal ones; there is no 16- or 32-bit wrap-around into negative values.
std::optional<double> readRadix(Cursor &cursor) {
    const Unit radix = cursor.peek();
    WholeNumber number;
    if (radix == u'H' || radix == u'h') {
        cursor.advance();
        for (int v; (v = hexValue(cursor.peek())) >= 0; cursor.advance())
            number.appendDigit(v, 4);
        return number.nearest();
    }
    if (radix == u'O' || radix == u'o') {
        cursor.advance();
        for (; isOctalDigit(cursor.peek()); cursor.advance())
            number.appendDigit(static_cast<int>(cursor.peek() - u'0'), 3);
        return number.nearest();
    }
    return 0.0; // '&' followed by anything else holds no number
}

} // namespace

std::optional<double> readNumber(std::u16string_view text) {
    Cursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.advance();
        return readRadix(cursor);
    }

    bool negative = false;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        negative = cursor.peek() == u'-';
        cursor.advance();
    }

    // Collect the number's own characters in plain ASCII for fast_float.
    std::string number;
    bool anyDigit = false;
    bool seenPoint = false;
    for (Unit c = cursor.peek();; cursor.advance(), c = cursor.peek()) {
        if (isDigit(c)) {
            anyDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number.push_back(static_cast<char>(c));
    }
    if (!anyDigit)
        return negative ? -0.0 : 0.0;

    // An exponent counts only with at least one digit: '1e' and '1e+' read as 1.
    const Unit letter = cursor.peek();
    if (letter == u'E' || letter == u'e' || letter == u'D' || letter == u'd') {
        cursor.advance();
        std::string exponent = "e";
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            exponent.push_back(static_cast<char>(cursor.peek()));
            cursor.advance();
        }
        const std::size_t signLength = exponent.size();
        for (Unit c = cursor.peek(); isDigit(c); cursor.advance(), c = cursor.peek())
            exponent.push_back(static_cast<char>(c));
        if (exponent.size() > signLength)
            number += exponent;
    }

    // fast_float rounds correctly and takes exponents of any length. It reports neither end of
    // the range: a number beyond the largest double comes back as infinity (an overflow), one
    // below half the smallest subnormal as zero (which it then reads as).
    double value = 0;
    fast_float::from_chars(number.data(), number.data() + number.size(), value);
    if (std::isinf(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::u16string formatNumber(std::optional<double> value) {
    if (!value)
        return {};
    if (*value == 0)
        return u"0"; // also for negative zero
    // Like C's '%.15G', in the "C" locale whatever the process's locale is: the longest text,
    // '-1.23456789012346E-308', has 22 characters.
    char buffer[32];
    const auto written = fmt::format_to_n(buffer, sizeof buffer, FMT_COMPILE("{:.15G}"), *value);
    return std::u16string(buffer, written.out);
}

} // namespace quorel::core
