#pragma once

#include <optional>

namespace quorel::core {

// The double nearest to the exact value of p * m / c (ties to even), also when the product
// p * m itself lies far beyond the range of a double or the result is subnormal. Returns
// std::nullopt when that nearest double would be infinite. p, m and c are finite; c is not 0.
std::optional<double> exactProductQuotient(double p, double m, double c);

} // namespace quorel::core
