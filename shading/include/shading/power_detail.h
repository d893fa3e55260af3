#pragma once

// The steps of the power's fast path, for power.cpp: Power itself, and the
// gamma step's RaiseEachToPower, which runs the same operations for three
// channels in SSE2 lanes. Both give the same bits.
//
// x^y = 2^t with t = y * log2(x), evaluated in double precision and rounded
// once to float. Every step is an IEEE operation on doubles or integers, so
// the result is the same on every platform.
//
// The methods follow published work. The fast path is the table-driven one of
// the ARM optimized routines' powf, which glibc's powf uses too: log2 from a
// cell's 1/c and log2(c) and a short polynomial of the exactly reduced
// argument, 2^t from a table of 2^(i/N) and a short polynomial. The rounding
// test and the accurate path (power.cpp) are in the manner of the CORE-MATH
// project's correctly rounded functions: a fast result with an error bound,
// a test whether that bound leaves its rounding certain, and otherwise an
// accurate evaluation, with the exact and halfway cases found apart.
//
// log2(x): x = 2^k * z with z in [0x1.66p-1, 0x1.66p+0); the top 8 bits
// of z's fraction pick a cell with a 29-bit invc near 1/z, so r = z * invc - 1
// is exact and |r| < 2^-8 (2^-9 outside the two cells next to 1, which take
// invc = 1). log2(x) = k + log2(1/invc) + log2(1 + r), the last by its Taylor
// polynomial of degree 6 (truncation below 2^-50.8 relative).
//
// 128 t = 128 y log2(x) is formed with the polynomial's coefficients
// multiplied by 128 y first (the rounding of that product moves to them, and
// the chain of dependent operations gets one shorter); the table term
// 128 y (k + log2(1/invc)) joins the first-order term while the higher
// orders are still being evaluated. Outside the cells next to 1, |log2 x| is
// at least 2^-8.47, so the table term is at most twice it and every value
// rounded is at most 3 |128 t|; in those cells the table term is 0. The
// table's rounding, the coefficients', the evaluation's and the truncation
// keep the error of 128 t below |128 t| * 2^-49.1.
//
// 2^t: 128 t = n + f with n an integer and |f| <= 1/2, both exact;
// 2^t = 2^(n/128) * 2^(f/128), the first from a table of 128 values and a
// shift of the exponent, the second by the cubic that equals it at the four
// Chebyshev points of [-1/2, 1/2]: interpolation error at most
// (ln 2 / 128)^4 / 4! * 2^(1/128) * 2^-7 relative (2^(1/128) the ratio of
// the largest to the smallest 2^(f/128); the product of the four f - f_i
// stays within 2^-7), below 2^-41.69; with the roundings of the
// coefficients, the evaluation, the table and the final product, below
// 2^-41.68. A cubic instead of the Taylor polynomial of degree 4 leaves one
// step fewer on the chain and a fallback rate that costs nothing measurable.
//
// Together, where the result is a normal float or overflows
// (-126 <= t < 128), the error of t moves the result by at most 2^-42.62
// relative, so its relative error stays below 2^-41.07, under 2^12 units in
// the last place of the double. Halfway points between floats are the
// doubles whose low 29 bits are 0x10000000; a result further than 2^12 units
// from such a pattern rounds to float exactly as x^y does. Otherwise, about
// once in 2^16 calls, PowerAccurate decides. Other x (zero, subnormal,
// negative, infinite, NaN) and results outside the normal range continue out
// of line (PowerOutsideFastPath), which evaluates the same way for results
// down to t = -160: there the error of t moves the result by at most 2^-42.30
// relative, so its relative error stays below 2^-40.95.

#include <cmath>
#include <cstdint>

#include "shading/bit_cast.h"
#include "shading/kernel_support.h"
#include "shading/power_tables.h"

namespace aurivel::kernel {

namespace power_detail {

// The paths out of line, in power.cpp. Each answers every input as Power
// does.
//
// The fast path's continuation for every other x (zero, subnormal,
// negative, infinite, NaN) and for results outside the normal range: the
// same evaluation where it applies, else PowerAccurate.
float PowerOutsideFastPath(float x, float y);

// The special operands, and x^y in double-double precision: what decides
// the results the fast evaluation cannot round with certainty.
float PowerAccurate(float x, float y);

// The bit pattern where the logarithm's reduced argument z starts.
constexpr std::uint32_t kLogOffset = 0x3f330000u;
constexpr int kLogCellShift = 15;
constexpr std::uint32_t kLogCellMask = 0xff;

// Added to a double of magnitude below 2^51, rounds it to an integer, which
// then stands in the low bits of the sum's encoding.
constexpr double kRoundToInteger = 0x1.8p52;
constexpr int kExp2CellBits = 7;
constexpr std::uint64_t kExp2CellMask = (1u << kExp2CellBits) - 1;

// 128 t for the results that are normal floats or overflow: t in [-126, 128).
constexpr double kNormalRangeMiddle = 128.0;
constexpr double kNormalRangeHalfWidth = 127.0 * 128.0;

// The fast result's low 29 bits, and their pattern at a halfway point.
constexpr std::uint64_t kLow29Bits = (std::uint64_t{1} << 29) - 1;
constexpr std::uint64_t kHalfwayPattern = std::uint64_t{1} << 28;
// The fast result's error bound in units of its last place.
constexpr std::uint64_t kFastErrorUnits = 1u << 12;

// The logarithm's argument reduction, shared with the accurate path.
struct LogReduction {
    int exponent;  // k
    const power_tables::LogCell* cell;
    double r;  // z * invc - 1, exact
};

// The logarithm's cell for a positive normal float with bits ix.
AURIVEL_FORCE_INLINE const power_tables::LogCell& LogCellOf(std::uint32_t ix) {
    return power_tables::kLogCells[((ix - kLogOffset) >> kLogCellShift) & kLogCellMask];
}

// ix: the bits of a positive normal float.
AURIVEL_FORCE_INLINE LogReduction ReduceForLog2(std::uint32_t ix) {
    const std::uint32_t offset = ix - kLogOffset;
    const power_tables::LogCell* cell = &LogCellOf(ix);
    const double z = BitCast<float>(ix - (offset & 0xff800000u));
    return LogReduction{static_cast<std::int32_t>(offset) >> 23, cell, z * cell->invc - 1.0};
}

// The formulas below are templates over the number type, so that double
// and the SSE2 lanes of DoubleLanes evaluate them in the same order.

// The coefficients of kLog2Fast times 128 y.
template <class Real>
struct ScaledLog2Coefficients {
    Real c[6];
    AURIVEL_FORCE_INLINE const Real& operator[](int i) const { return c[i]; }
};

template <class Real, class Coefficients>
AURIVEL_FORCE_INLINE ScaledLog2Coefficients<Real> ScaleLog2Coefficients(Real y128, const Coefficients& a) {
    return ScaledLog2Coefficients<Real>{{y128 * a[0], y128 * a[1], y128 * a[2], y128 * a[3], y128 * a[4], y128 * a[5]}};
}

// 128 y (k + log2(1/invc) + log2(1 + r)), ya the scaled coefficients.
template <class Real>
AURIVEL_FORCE_INLINE Real ScaledLog2OfReduced(Real r, Real exponent, Real log2c, Real y128,
                                              const ScaledLog2Coefficients<Real>& ya) {
    const Real r2 = r * r;
    const Real r4 = r2 * r2;
    // Summed in the order the terms become ready, the table term first.
    const Real head = y128 * (exponent + log2c) + ya[0] * r;
    const Real middle = r2 * (ya[1] + ya[2] * r);
    const Real tail = r4 * ((ya[3] + ya[4] * r) + r2 * ya[5]);
    return (head + middle) + tail;
}

// scale * 2^(f/128), b the coefficients of kExp2Fast.
template <class Real, class Coefficients>
AURIVEL_FORCE_INLINE Real Exp2OfReduced(Real scale, Real f, const Coefficients& b) {
    return scale * ((b[0] + b[1] * f) + (f * f) * (b[2] + b[3] * f));
}

// The exponential's argument reduction, shared with the accurate path:
// t * 128 = n + f, and n split into the table's cell and the exponent.
struct Exp2Reduction {
    double n, f;
    std::uint64_t cell;
    std::uint64_t exponentBits;  // floor(n / 128) in the exponent field
};

// scaled: 128 t, of magnitude below 2^51.
AURIVEL_FORCE_INLINE Exp2Reduction ReduceForExp2(double scaled) {
    const double shifted = scaled + kRoundToInteger;
    const std::uint64_t n = BitCast<std::uint64_t>(shifted);
    const double integer = shifted - kRoundToInteger;
    return Exp2Reduction{integer, scaled - integer, n & kExp2CellMask, (n >> kExp2CellBits) << 52};
}

// 2^(scaled / 128), for scaled in [-160 * 128, 140 * 128].
AURIVEL_FORCE_INLINE double Exp2Fast(double scaled) {
    const Exp2Reduction red = ReduceForExp2(scaled);
    const double scale =
        BitCast<double>(BitCast<std::uint64_t>(power_tables::kExp2Cells[red.cell].hi) + red.exponentBits);
    return Exp2OfReduced(scale, red.f, power_tables::kExp2Fast);
}

// 128 y log2(x) for a positive normal x with bits ix (times 2^-exponentOffset);
// y * 128 is exact.
AURIVEL_FORCE_INLINE double ScaledExponent(std::uint32_t ix, float y, int exponentOffset = 0) {
    const LogReduction red = ReduceForLog2(ix);
    const double y128 = static_cast<double>(y) * 128.0;
    return ScaledLog2OfReduced(red.r, static_cast<double>(red.exponent + exponentOffset), red.cell->log2c, y128,
                               ScaleLog2Coefficients(y128, power_tables::kLog2Fast));
}

AURIVEL_FORCE_INLINE bool NearHalfway(double result) {
    return ((BitCast<std::uint64_t>(result) + (kFastErrorUnits - kHalfwayPattern)) & kLow29Bits) <= 2 * kFastErrorUnits;
}

}  // namespace power_detail

}  // namespace aurivel::kernel
