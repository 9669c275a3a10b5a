#include "core/tests/support/mpfr_reference.h"

#include <mpfr.h>

#include <cstdio>
#include <cstdlib>

namespace quorel::reference {

namespace {

// MPFR counts exponents for mantissas in [0.5, 1): the smallest subnormal 2^-1074 has exponent
// -1073, and DBL_MAX is just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

class DoubleExponentRange {
  public:
    DoubleExponentRange() : m_emin(mpfr_get_emin()), m_emax(mpfr_get_emax()) {
        mpfr_set_emin(kDoubleEmin);
        mpfr_set_emax(kDoubleEmax);
    }
    ~DoubleExponentRange() {
        mpfr_set_emin(m_emin);
        mpfr_set_emax(m_emax);
    }
    DoubleExponentRange(const DoubleExponentRange &) = delete;
    DoubleExponentRange &operator=(const DoubleExponentRange &) = delete;

  private:
    mpfr_exp_t m_emin;
    mpfr_exp_t m_emax;
};

// The variables are set up once per thread; the checks call these functions millions of times.
struct Variables {
    Variables() {
        mpfr_inits2(53, p, m, c, quotient, value, static_cast<mpfr_ptr>(nullptr));
        mpfr_init2(product, 106);
    }
    ~Variables() { mpfr_clears(p, m, c, quotient, value, product, static_cast<mpfr_ptr>(nullptr)); }
    Variables(const Variables &) = delete;
    Variables &operator=(const Variables &) = delete;

    mpfr_t p, m, c, product, quotient, value;
};

Variables &variables() {
    thread_local Variables v;
    return v;
}

[[noreturn]] void referenceFailed(const char *what) {
    std::fprintf(stderr, "MPFR reference: %s\n", what);
    std::abort();
}

} // namespace

double productQuotient(double p, double m, double c) {
    Variables &v = variables();
    mpfr_set_d(v.p, p, MPFR_RNDN);
    mpfr_set_d(v.m, m, MPFR_RNDN);
    mpfr_set_d(v.c, c, MPFR_RNDN);
    // 106 bits hold the product of two doubles exactly, and MPFR's default exponent range is far
    // wider than the product can reach.
    if (mpfr_mul(v.product, v.p, v.m, MPFR_RNDN) != 0) {
        referenceFailed("the product is not exact");
    }
    int inexact = mpfr_div(v.quotient, v.product, v.c, MPFR_RNDN);
    // Round once more, to what the double range can hold: overflow to infinity, and fewer bits
    // for subnormals. The ternary value of the first rounding prevents double rounding.
    DoubleExponentRange range;
    inexact = mpfr_check_range(v.quotient, inexact, MPFR_RNDN);
    mpfr_subnormalize(v.quotient, inexact, MPFR_RNDN);
    return mpfr_get_d(v.quotient, MPFR_RNDN);
}

std::optional<double> wholeNumber(const std::string &digits, int base) {
    if (digits.empty()) {
        return 0.0;
    }
    // Rounded once to 53 bits in MPFR's default exponent range, which no text reaches; a whole
    // number is never subnormal, so only the top of the double range remains to be checked.
    Variables &v = variables();
    char *end = nullptr;
    mpfr_strtofr(v.value, digits.c_str(), &end, base, MPFR_RNDN);
    if (end != digits.c_str() + digits.size()) {
        referenceFailed("not a whole number in that base");
    }
    if (!mpfr_zero_p(v.value) && mpfr_get_exp(v.value) > kDoubleEmax) {
        return std::nullopt;
    }
    return mpfr_get_d(v.value, MPFR_RNDN);
}

std::string fifteenDigits(double x) {
    if (x == 0) {
        return "0";
    }
    Variables &v = variables();
    mpfr_set_d(v.value, x, MPFR_RNDN);
    char buffer[64];
    const int length = mpfr_snprintf(buffer, sizeof buffer, "%.15Rg", v.value);
    if (length <= 0 || length >= static_cast<int>(sizeof buffer)) {
        referenceFailed("'%.15Rg' did not fit its buffer");
    }
    std::string text(buffer);
    for (char &ch : text) {
        if (ch == 'e') {
            ch = 'E';
        }
    }
    return text;
}

} // namespace quorel::reference
