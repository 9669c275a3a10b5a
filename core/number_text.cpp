#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

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

constexpr char hexDigits[] = "0123456789abcdef";

// '&H' and '&O' numbers are read as non-negative whole numbers of any length, rounded to the
// nearest double like decimal ones; there is no 16- or 32-bit wrap-around into negative values.
// Both are handed to from_chars as hexadecimal, which rounds correctly and reports overflow.
std::optional<double> parseHexDigits(const std::string &digits) {
    if (digits.empty())
        return 0.0;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::hex);
    if (error == std::errc::result_out_of_range)
        return std::nullopt;
    return value;
}

std::optional<double> readRadix(Cursor &cursor) {
    const Unit radix = cursor.peek();
    std::string digits;
    if (radix == u'H' || radix == u'h') {
        cursor.advance();
        for (int v; (v = hexValue(cursor.peek())) >= 0; cursor.advance())
            digits.push_back(hexDigits[v]);
        return parseHexDigits(digits);
    }
    if (radix == u'O' || radix == u'o') {
        cursor.advance();
        for (; isOctalDigit(cursor.peek()); cursor.advance())
            digits.push_back(static_cast<char>(cursor.peek()));
        // Regroup the octal digits' three bits each into hexadecimal digits of four, from the
        // right, so that the same exact conversion serves both bases.
        std::vector<int> nibbles((digits.size() * 3 + 3) / 4, 0); // least significant first
        for (std::size_t i = 0; i < digits.size(); ++i) {
            const int octal = digits[digits.size() - 1 - i] - '0';
            for (int b = 0; b < 3; ++b)
                if ((octal >> b) & 1)
                    nibbles[(3 * i + b) / 4] |= 1 << ((3 * i + b) % 4);
        }
        std::string hex;
        for (auto it = nibbles.rbegin(); it != nibbles.rend(); ++it)
            hex.push_back(hexDigits[*it]);
        return parseHexDigits(hex);
    }
    return 0.0; // '&' followed by anything else holds no number
}

// A decimal number too large or too small for a double: from_chars says only "out of range",
// so the position of its first significant digit and its exponent decide which. A mantissa of
// only zeros never reaches here.
bool isBeyondLargest(std::string_view mantissa, std::int64_t exponent) {
    const auto point = mantissa.find('.');
    const auto integerDigits =
        static_cast<std::int64_t>(point == std::string_view::npos ? mantissa.size() : point);
    const auto first = static_cast<std::int64_t>(mantissa.find_first_not_of("0."));
    const std::int64_t firstWeight =
        first < integerDigits ? integerDigits - first - 1 : integerDigits - first;
    return firstWeight + exponent > 0;
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

    // Collect the number's own characters in plain ASCII for from_chars.
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
    const std::size_t mantissaLength = number.size();

    // An exponent counts only with at least one digit: '1e' and '1e+' read as 1.
    std::int64_t exponent = 0;
    const Unit letter = cursor.peek();
    if (letter == u'E' || letter == u'e' || letter == u'D' || letter == u'd') {
        cursor.advance();
        std::string exponentText = "e";
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            exponentText.push_back(static_cast<char>(cursor.peek()));
            cursor.advance();
        }
        bool exponentDigits = false;
        constexpr std::int64_t saturated = std::int64_t{1} << 40;
        for (Unit c = cursor.peek(); isDigit(c); cursor.advance(), c = cursor.peek()) {
            exponentDigits = true;
            exponentText.push_back(static_cast<char>(c));
            exponent = std::min(saturated, exponent * 10 + static_cast<int>(c - u'0'));
        }
        if (exponentDigits) {
            number += exponentText;
            if (exponentText[1] == '-')
                exponent = -exponent;
        }
    }

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (isBeyondLargest(std::string_view(number).substr(0, mantissaLength), exponent))
            return std::nullopt;
        value = 0; // too small for a double: reads as zero
    }
    return negative ? -value : value;
}

std::u16string formatNumber(std::optional<double> value) {
    if (!value)
        return {};
    if (*value == 0)
        return u"0"; // also for negative zero
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::general, 15);
    std::u16string text(buffer, end);
    std::replace(text.begin(), text.end(), u'e', u'E');
    return text;
}

} // namespace quorel::core
