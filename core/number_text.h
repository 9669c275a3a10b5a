#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorel::core {

// Reads the leading number of a field text the way the calculator always has: blanks, tabs
// and line feeds anywhere are ignored, reading stops at the first character that cannot continue
// the number, and text without any digit reads as 0. Returns std::nullopt when the number lies
// beyond the range of a double (an overflow); never fails otherwise.
std::optional<double> readNumber(std::u16string_view text);

// Writes a result as field text: at most 15 significant digits, plain positional form from
// 0.0001 up to 10^15 and '1.5E-05' style outside it. The empty value gives the empty text.
std::u16string formatNumber(std::optional<double> value);

} // namespace quorel::core
