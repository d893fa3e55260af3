// The Universal CRT's <math.h> declares the C99 functions for long double,
// which libc++'s <cmath> uses; Wine's lacks them. On Windows long double is
// double: the UCRT exports some of these functions and defines the others
// inline over the double ones, as here.
#pragma once

#include_next <math.h>

#ifdef __cplusplus
extern "C" {
_ACRTIMP long double __cdecl acoshl(long double);
_ACRTIMP long double __cdecl asinhl(long double);
_ACRTIMP long double __cdecl atanhl(long double);
_ACRTIMP long double __cdecl cbrtl(long double);
_ACRTIMP long double __cdecl erfl(long double);
_ACRTIMP long double __cdecl erfcl(long double);
_ACRTIMP long double __cdecl exp2l(long double);
_ACRTIMP long double __cdecl expm1l(long double);
_ACRTIMP long double __cdecl lgammal(long double);
_ACRTIMP long double __cdecl log1pl(long double);
_ACRTIMP long double __cdecl log2l(long double);
_ACRTIMP long double __cdecl logbl(long double);
_ACRTIMP long double __cdecl nearbyintl(long double);
_ACRTIMP long double __cdecl tgammal(long double);
_ACRTIMP long double __cdecl fdiml(long double, long double);
_ACRTIMP long double __cdecl fmaxl(long double, long double);
_ACRTIMP long double __cdecl fminl(long double, long double);
_ACRTIMP long double __cdecl nextafterl(long double, long double);
_ACRTIMP long double __cdecl remainderl(long double, long double);
_ACRTIMP int __cdecl ilogbl(long double);
_ACRTIMP long double __cdecl remquol(long double, long double, int*);
_ACRTIMP long double __cdecl scalbnl(long double, int);
_ACRTIMP long double __cdecl scalblnl(long double, long);
_ACRTIMP long double __cdecl nexttowardl(long double, long double);
_ACRTIMP double __cdecl nexttoward(double, long double);
_ACRTIMP float __cdecl nexttowardf(float, long double);
_ACRTIMP double __cdecl erfc(double);
_ACRTIMP float __cdecl erfcf(float);
}

#define AURIVEL_UCRT_INLINE_LONG_DOUBLE(f) \
    inline long double f##l(long double x) { return f(static_cast<double>(x)); }
AURIVEL_UCRT_INLINE_LONG_DOUBLE(acos)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(asin)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(atan)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(ceil)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(cos)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(cosh)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(exp)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(fabs)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(floor)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(log)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(log10)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(sin)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(sinh)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(sqrt)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(tan)
AURIVEL_UCRT_INLINE_LONG_DOUBLE(tanh)
#undef AURIVEL_UCRT_INLINE_LONG_DOUBLE

inline long double atan2l(long double y, long double x) {
    return atan2(static_cast<double>(y), static_cast<double>(x));
}
inline long double fmodl(long double x, long double y) { return fmod(static_cast<double>(x), static_cast<double>(y)); }
inline long double hypotl(long double x, long double y) {
    return hypot(static_cast<double>(x), static_cast<double>(y));
}
inline long double powl(long double x, long double y) { return pow(static_cast<double>(x), static_cast<double>(y)); }
inline long double frexpl(long double x, int* exponent) { return frexp(static_cast<double>(x), exponent); }
inline long double ldexpl(long double x, int exponent) { return ldexp(static_cast<double>(x), exponent); }
inline long double modfl(long double x, long double* whole) {
    double w;
    const double fraction = modf(static_cast<double>(x), &w);
    *whole = w;
    return fraction;
}
#endif
