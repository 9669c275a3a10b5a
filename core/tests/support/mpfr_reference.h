#pragma once

// What the core's results must be, computed with MPFR: the references the rounding test and the
// fuzz targets compare the core against. Only test code links this.

#include <optional>
#include <string>

namespace quorel::reference {

// The double nearest to p * m / c, computed from the exact product with one rounding, with
// gradual underflow; infinite exactly when that lies beyond the double range.
double productQuotient(double p, double m, double c);

// The whole number written with the given digits in base 8 or 16, rounded to the nearest double;
// std::nullopt when that is 2^1024 or more. No digits stand for zero.
std::optional<double> wholeNumber(const std::string &digits, int base);

// x rounded to 15 significant digits, in the calculator's shape: 'E' for the exponent, zero of
// either sign as "0".
std::string fifteenDigits(double x);

} // namespace quorel::reference
