#include "core/exact_quotient.h"

#include <cmath>
#include <cstdint>

namespace quorel::core {
namespace {

using u64 = std::uint64_t;

constexpr int significandBits = 53;
constexpr int minSubnormalExponent = -1074; // weight of the last bit of the smallest subnormal
constexpr int minNormalExponent = -1022;

// |x| == significand * 2^exponent with significand in [2^52, 2^53), also for subnormal x.
struct Decomposed {
    u64 significand;
    int exponent;
};

Decomposed decompose(double x) {
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent); // in [0.5, 1)
    return {static_cast<u64>(std::ldexp(fraction, significandBits)), exponent - significandBits};
}

// The full 106-bit product of two 53-bit numbers as high and low 64-bit words, computed from
// 32-bit halves so that no compiler extension is needed.
struct Wide {
    u64 high;
    u64 low;
};

Wide multiply(u64 a, u64 b) {
    const u64 aLow = a & 0xffffffffu, aHigh = a >> 32;
    const u64 bLow = b & 0xffffffffu, bHigh = b >> 32;
    const u64 lowLow = aLow * bLow;
    const u64 lowHigh = aLow * bHigh;
    const u64 highLow = aHigh * bLow;
    const u64 highHigh = aHigh * bHigh;
    const u64 middle = (lowLow >> 32) + (lowHigh & 0xffffffffu) + (highLow & 0xffffffffu);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & 0xffffffffu)};
}

bool bitAt(const Wide &w, int index) {
    return index >= 64 ? (w.high >> (index - 64)) & 1u : (w.low >> index) & 1u;
}

// Long division of the product by a 53-bit divisor, one bit at a time, continued past the
// binary point until the quotient holds 63 significant bits. Every bit is exact; whatever lies
// below the last one is summed up in `inexact`.
struct Quotient {
    u64 bits;     // top bit at position 62
    int exponent; // weight of the last bit
    bool inexact; // a nonzero remainder is left
};

Quotient divide(const Wide &dividend, u64 divisor) {
    constexpr u64 full = u64{1} << 62;
    u64 quotient = 0;
    u64 remainder = 0; // always below divisor < 2^53, so shifting it left cannot overflow
    int index = 127;
    while (index >= 0 && !bitAt(dividend, index))
        --index;
    int exponent = index; // the weight of the bit being brought down
    for (; quotient < full; --index, --exponent) {
        remainder = (remainder << 1) | (index >= 0 && bitAt(dividend, index) ? 1u : 0u);
        quotient <<= 1;
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1;
        }
    }
    return {quotient, exponent + 1, remainder != 0};
}

} // namespace

std::optional<double> exactProductQuotient(double p, double m, double c) {
    const bool negative = (std::signbit(p) != std::signbit(m)) != std::signbit(c);
    if (p == 0 || m == 0)
        return negative ? -0.0 : 0.0;

    const Decomposed dp = decompose(p), dm = decompose(m), dc = decompose(c);
    const Quotient q = divide(multiply(dp.significand, dm.significand), dc.significand);
    const int exponent = q.exponent + dp.exponent + dm.exponent - dc.exponent;

    // Keep 53 bits, or fewer where the result falls among the subnormals, and round the
    // dropped ones to nearest, ties to even; the remainder of the division breaks ties.
    const int leading = exponent + 62;
    const int dropped =
        leading >= minNormalExponent ? 63 - significandBits : minSubnormalExponent - exponent;
    if (dropped >= 64) // below half the smallest subnormal
        return negative ? -0.0 : 0.0;
    const u64 half = u64{1} << (dropped - 1);
    const u64 rest = q.bits & ((half << 1) - 1);
    u64 kept = q.bits >> dropped;
    if (rest > half || (rest == half && (q.inexact || (kept & 1u))))
        ++kept;

    // kept has at most 54 bits and a multiple of the last bit's weight, so this is exact
    // unless the value lies beyond the largest double.
    const double magnitude = std::ldexp(static_cast<double>(kept), exponent + dropped);
    if (std::isinf(magnitude))
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}

} // namespace quorel::core
