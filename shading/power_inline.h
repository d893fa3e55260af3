#pragma once

// The power of the gamma step as inline code, so that the map's sample
// compiles it into itself. power.h declares the same function out of line;
// both give the same bits.
//
// x^y = 2^t with t = y * log2(x), evaluated in double precision and rounded
// once to float. Every step is an IEEE operation on doubles or integers, so
// the result is the same on every platform.
//
// log2(x): x = 2^k * z with z in [0x1.66p-1, 0x1.66p+0); the top 8 bits
// of z's fraction pick a cell with a 29-bit invc near 1/z, so r = z * invc - 1
// is exact and |r| < 2^-8 (2^-9 outside the two cells next to 1, which take
// invc = 1). log2(x) = k + log2(1/invc) + log2(1 + r), the last by its Taylor
// polynomial of degree 6 (truncation below 2^-50.8 relative). The table's
// rounding, the evaluation's roundings and the truncation keep the relative
// error of the sum below 2^-49.5: outside the cells next to 1, |log2 x| is at
// least 2^-8.47, so the table term cannot cancel the polynomial's.
//
// 2^t: 128 t = n + f with n an integer and |f| <= 1/2, both exact;
// 2^t = 2^(n/128) * 2^(f/128), the first from a table of 128 values and a
// shift of the exponent, the second by its Taylor polynomial of degree 4
// (truncation below 2^-49.6): relative error below 2^-49.3.
//
// Together: t carries the logarithm's error and its own rounding, at most
// |t| * 2^-49.4 absolute, so where the result is a normal float or
// overflows (-126 <= t < 128) its relative error stays below 2^-42.8, under
// 2^11 units in the last place of the double. Halfway points between floats
// are the doubles whose low 29 bits are 0x10000000; a result further than
// 2^11 units from such a pattern rounds to float exactly as x^y does.
// Otherwise, about once in 2^17 calls, PowerAccurate decides. Other x (zero,
// subnormal, negative, infinite, NaN) and results outside the normal range
// continue out of line (PowerOutsideFastPath).

#include <cmath>
#include <cstdint>
#include <cstring>

#include "shading/kernel_support.h"
#include "shading/power.h"
#include "shading/power_tables.h"

namespace aurivel::kernel {

namespace power_detail {

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
constexpr std::uint64_t kFastErrorUnits = 1u << 11;

AURIVEL_FORCE_INLINE std::uint32_t BitsOfFloat(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

AURIVEL_FORCE_INLINE float FloatOfBits(std::uint32_t bits) {
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

AURIVEL_FORCE_INLINE std::uint64_t BitsOfDouble(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

AURIVEL_FORCE_INLINE double DoubleOfBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The logarithm's argument reduction, shared with the accurate path.
struct LogReduction {
    int exponent;  // k
    const power_tables::LogCell* cell;
    double r;  // z * invc - 1, exact
};

// ix: the bits of a positive normal float.
AURIVEL_FORCE_INLINE LogReduction ReduceForLog2(std::uint32_t ix) {
    const std::uint32_t offset = ix - kLogOffset;
    const power_tables::LogCell* cell = &power_tables::kLogCells[(offset >> kLogCellShift) & kLogCellMask];
    const double z = FloatOfBits(ix - (offset & 0xff800000u));
    return LogReduction{static_cast<std::int32_t>(offset) >> 23, cell, z * cell->invc - 1.0};
}

// The formulas below are templates over the number type, so that double
// and the SSE2 lanes of DoubleLanes evaluate them in the same order.

// k + log2(1/invc) + log2(1 + r), a the coefficients of kLog2Fast.
template <class Real, class Coefficients>
AURIVEL_FORCE_INLINE Real Log2OfReduced(Real r, Real exponent, Real log2c, const Coefficients& a) {
    const Real r2 = r * r;
    const Real r4 = r2 * r2;
    const Real low = a[0] * r + r2 * (a[1] + a[2] * r);
    const Real high = (a[3] + a[4] * r) + r2 * a[5];
    return (exponent + log2c) + (low + r4 * high);
}

// scale * 2^(f/128), b the coefficients of kExp2Fast.
template <class Real, class Coefficients>
AURIVEL_FORCE_INLINE Real Exp2OfReduced(Real scale, Real f, const Coefficients& b) {
    return scale + (scale * f) * ((b[0] + b[1] * f) + (f * f) * (b[2] + b[3] * f));
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
    const std::uint64_t n = BitsOfDouble(shifted);
    const double integer = shifted - kRoundToInteger;
    return Exp2Reduction{integer, scaled - integer, n & kExp2CellMask, (n >> kExp2CellBits) << 52};
}

// 2^(scaled / 128), for scaled in [-160 * 128, 140 * 128].
AURIVEL_FORCE_INLINE double Exp2Fast(double scaled) {
    const Exp2Reduction red = ReduceForExp2(scaled);
    const double scale = DoubleOfBits(BitsOfDouble(power_tables::kExp2Cells[red.cell].hi) + red.exponentBits);
    return Exp2OfReduced(scale, red.f, power_tables::kExp2Fast);
}

// 128 y log2(x) for a positive normal x with bits ix (times 2^-exponentOffset);
// y * 128 is exact.
AURIVEL_FORCE_INLINE double ScaledExponent(std::uint32_t ix, float y, int exponentOffset = 0) {
    const LogReduction red = ReduceForLog2(ix);
    return (static_cast<double>(y) * 128.0) * Log2OfReduced(red.r, static_cast<double>(red.exponent + exponentOffset),
                                                            red.cell->log2c, power_tables::kLog2Fast);
}

AURIVEL_FORCE_INLINE bool NearHalfway(double result) {
    return ((BitsOfDouble(result) + (kFastErrorUnits - kHalfwayPattern)) & kLow29Bits) <= 2 * kFastErrorUnits;
}

}  // namespace power_detail

AURIVEL_FORCE_INLINE float Power(float x, float y) {
    using namespace power_detail;
    const std::uint32_t ix = BitsOfFloat(x);
    // One test for zero, subnormal, infinite, NaN and negative x.
    if (AURIVEL_UNLIKELY(ix - 0x00800000u >= 0x7f000000u)) {
        return PowerOutsideFastPath(x, y);
    }
    const double scaled = ScaledExponent(ix, y);
    // One test for NaN and for results outside the normal range.
    if (AURIVEL_UNLIKELY(!(std::fabs(scaled - kNormalRangeMiddle) < kNormalRangeHalfWidth))) {
        return PowerOutsideFastPath(x, y);
    }
    const double result = Exp2Fast(scaled);
    if (AURIVEL_UNLIKELY(NearHalfway(result))) {
        return PowerAccurate(x, y);
    }
    return static_cast<float>(result);
}

#ifdef AURIVEL_KERNEL_SSE2

namespace power_detail {

// Two doubles in one SSE2 register; each lane does what a double would.
struct DoubleLanes {
    __m128d v;
    AURIVEL_FORCE_INLINE DoubleLanes(__m128d lanes) : v(lanes) {}
    AURIVEL_FORCE_INLINE DoubleLanes(double both) : v(_mm_set1_pd(both)) {}
};

AURIVEL_FORCE_INLINE DoubleLanes operator+(DoubleLanes a, DoubleLanes b) { return _mm_add_pd(a.v, b.v); }
AURIVEL_FORCE_INLINE DoubleLanes operator-(DoubleLanes a, DoubleLanes b) { return _mm_sub_pd(a.v, b.v); }
AURIVEL_FORCE_INLINE DoubleLanes operator*(DoubleLanes a, DoubleLanes b) { return _mm_mul_pd(a.v, b.v); }

// 128 y log2(x) for the two lanes of z (the reduced arguments as floats,
// in the low half), k and two logarithm cells; as ScaledExponent.
AURIVEL_FORCE_INLINE DoubleLanes ScaledExponentOfLanes(__m128 z, __m128i exponent, const power_tables::LogCell& first,
                                                       const power_tables::LogCell& second, double y128) {
    const __m128d cellA = _mm_loadu_pd(&first.invc);
    const __m128d cellB = _mm_loadu_pd(&second.invc);
    const DoubleLanes r = DoubleLanes(_mm_cvtps_pd(z)) * _mm_unpacklo_pd(cellA, cellB) - 1.0;
    return y128 * Log2OfReduced<DoubleLanes>(r, _mm_cvtepi32_pd(exponent), _mm_unpackhi_pd(cellA, cellB),
                                             power_tables::kLog2Fast);
}

// 2^(scaled / 128) in both lanes, as Exp2Fast, and whether each lane's
// result is a normal float (or overflows) that lies clear of every halfway
// point: mask bits 0 and 1.
AURIVEL_FORCE_INLINE int Exp2OfLanes(DoubleLanes scaled, __m128d& result) {
    const __m128d shifted = _mm_add_pd(scaled.v, _mm_set1_pd(kRoundToInteger));
    const __m128i n = _mm_castpd_si128(shifted);
    const DoubleLanes f = scaled - DoubleLanes(_mm_sub_pd(shifted, _mm_set1_pd(kRoundToInteger)));
    const int cellA = _mm_cvtsi128_si32(n) & static_cast<int>(kExp2CellMask);
    const int cellB = _mm_extract_epi16(n, 4) & static_cast<int>(kExp2CellMask);
    const __m128d table =
        _mm_loadh_pd(_mm_load_sd(&power_tables::kExp2Cells[cellA].hi), &power_tables::kExp2Cells[cellB].hi);
    const __m128i exponentBits = _mm_slli_epi64(_mm_srli_epi64(n, kExp2CellBits), 52);
    const __m128d scale = _mm_castsi128_pd(_mm_add_epi64(_mm_castpd_si128(table), exponentBits));
    result = Exp2OfReduced<DoubleLanes>(scale, f, power_tables::kExp2Fast).v;

    const __m128d distance = _mm_andnot_pd(_mm_set1_pd(-0.0), _mm_sub_pd(scaled.v, _mm_set1_pd(kNormalRangeMiddle)));
    const int inRange = _mm_movemask_pd(_mm_cmplt_pd(distance, _mm_set1_pd(kNormalRangeHalfWidth)));
    const __m128i low29 =
        _mm_and_si128(_mm_add_epi64(_mm_castpd_si128(result),
                                    _mm_set1_epi64x(static_cast<long long>(kFastErrorUnits - kHalfwayPattern))),
                      _mm_set1_epi64x(static_cast<long long>(kLow29Bits)));
    // The masked values fit in each lane's low 32 bits.
    const __m128i clear = _mm_cmpgt_epi32(low29, _mm_set1_epi64x(static_cast<long long>(2 * kFastErrorUnits)));
    const int clearMask = _mm_movemask_ps(_mm_castsi128_ps(clear));
    return inRange & ((clearMask & 1) | ((clearMask >> 1) & 2));
}

// Three powers in SSE2 lanes, each as Power's fast path would compute it:
// a and b in one register, c twice in the other. False, changing nothing,
// if any channel needs more than the fast path.
AURIVEL_FORCE_INLINE bool RaiseThreeFast(float& a, float& b, float& c, float y) {
    const __m128i ix = _mm_castps_si128(_mm_setr_ps(a, b, c, c));
    // ix - 0x00800000 >= 0x7f000000 as unsigned numbers, compared as signed.
    const __m128i special = _mm_cmpgt_epi32(_mm_add_epi32(ix, _mm_set1_epi32(0x7f800000)), _mm_set1_epi32(-0x01000001));
    const __m128i offset = _mm_sub_epi32(ix, _mm_set1_epi32(static_cast<int>(kLogOffset)));
    const __m128i cells = _mm_and_si128(_mm_srli_epi32(offset, kLogCellShift), _mm_set1_epi32(kLogCellMask));
    const __m128 z =
        _mm_castsi128_ps(_mm_sub_epi32(ix, _mm_and_si128(offset, _mm_set1_epi32(static_cast<int>(0xff800000u)))));
    const __m128i exponent = _mm_srai_epi32(offset, 23);
    const power_tables::LogCell& cellC = power_tables::kLogCells[_mm_extract_epi16(cells, 4)];
    const double y128 = static_cast<double>(y) * 128.0;
    const DoubleLanes scaledAB = ScaledExponentOfLanes(z, exponent, power_tables::kLogCells[_mm_cvtsi128_si32(cells)],
                                                       power_tables::kLogCells[_mm_extract_epi16(cells, 2)], y128);
    const DoubleLanes scaledC =
        ScaledExponentOfLanes(_mm_movehl_ps(z, z), _mm_unpackhi_epi64(exponent, exponent), cellC, cellC, y128);
    __m128d resultAB, resultC;
    const int fastAB = Exp2OfLanes(scaledAB, resultAB);
    const int fastC = Exp2OfLanes(scaledC, resultC);
    if (AURIVEL_UNLIKELY((_mm_movemask_ps(_mm_castsi128_ps(special)) | (fastAB ^ 3) | (fastC ^ 3)) != 0)) {
        return false;
    }
    const __m128 ab = _mm_cvtpd_ps(resultAB);
    a = _mm_cvtss_f32(ab);
    b = _mm_cvtss_f32(_mm_shuffle_ps(ab, ab, _MM_SHUFFLE(1, 1, 1, 1)));
    c = _mm_cvtss_f32(_mm_cvtpd_ps(resultC));
    return true;
}

}  // namespace power_detail

#endif

}  // namespace aurivel::kernel
