#include "exact_power/exact_power.h"

#include <mpfr.h>

namespace aurivel::reference {
namespace {

// The float format in MPFR's terms: 24 bits, and exponents (for a
// significand in [1/2, 1)) from -148 for the smallest subnormal up to 128.
constexpr mpfr_prec_t kFloatBits = 24;
constexpr mpfr_exp_t kFloatLowestExponent = -148;
constexpr mpfr_exp_t kFloatHighestExponent = 128;

// MPFR's exponent range is per thread; the float format's applies only
// while one is alive.
class FloatExponentRange {
public:
    FloatExponentRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(kFloatLowestExponent);
        mpfr_set_emax(kFloatHighestExponent);
    }
    ~FloatExponentRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    FloatExponentRange(const FloatExponentRange&) = delete;
    FloatExponentRange& operator=(const FloatExponentRange&) = delete;

private:
    mpfr_exp_t emin_, emax_;
};

}  // namespace

float ExactPower(float x, float y) {
    mpfr_t base, exponent, result;
    mpfr_inits2(kFloatBits, base, exponent, result, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_flt(base, x, MPFR_RNDN);
    mpfr_set_flt(exponent, y, MPFR_RNDN);
    float value;
    {
        const FloatExponentRange range;
        const int inexact = mpfr_pow(result, base, exponent, MPFR_RNDN);
        mpfr_subnormalize(result, mpfr_check_range(result, inexact, MPFR_RNDN), MPFR_RNDN);
        value = mpfr_get_flt(result, MPFR_RNDN);
    }
    mpfr_clears(base, exponent, result, static_cast<mpfr_ptr>(nullptr));
    return value;
}

}  // namespace aurivel::reference
