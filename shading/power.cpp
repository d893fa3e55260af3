#include "shading/power.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "shading/power_detail.h"
#include "shading/power_lanes.h"

// The accurate path, in the manner of the CORE-MATH project: x^y in
// double-double arithmetic (about 106 bits, built from error-free
// transformations of IEEE doubles), rounded to float with its error bound,
// and exact evaluation of the powers that land on a float or halfway between
// two.
//
// Error: log2(x) - k comes from the table's two parts and a Taylor
// polynomial of degree 13 (truncation below 2^-107.8), with relative error
// below 2^-102.5; y * k is exact, so t = y * k + y * (log2(x) - k) is off by
// at most |y * (log2(x) - k)| * 2^-102.2. The reduced f = t * 128 - n is
// formed from exact parts, and 2^(f/128) comes from a Taylor polynomial of
// degree 9 (truncation below 2^-107.1) times the table's two parts: relative
// error below 2^-102.5. The bound used, (|y * (log2 x - k)| + 1) * 2^-100,
// covers both with room: below 2^-96.5 wherever gamma is at most 20.
//
// A result that is not decided within that bound is either exact or halfway
// between two floats - then x^y is a dyadic number that the exact evaluation
// finds - or closer than the bound to a halfway point without being one, a
// case none of the checks has met; it takes the rounding of the
// double-double value.

namespace aurivel {
namespace {

using kernel::power_tables::DoubleDouble;

constexpr std::uint32_t kInfinityBits = 0x7f800000u;
constexpr std::uint32_t kOneBits = 0x3f800000u;
constexpr std::uint32_t kSmallestNormalBits = 0x00800000u;
constexpr std::uint32_t kQuietBit = 0x00400000u;
constexpr std::uint32_t kDefaultNaNBits = 0x7fc00000u;

// Where a result surely overflows or rounds to zero, whatever the error of t.
constexpr double kOverflowExponent = 129.0;
constexpr double kUnderflowExponent = -152.0;

// 128 t where the fast evaluation's result surely overflows (its error is
// far below 2^-35) or rounds to zero.
constexpr double kScaledOverflow = 128.0 * 128.0;
constexpr double kScaledUnderflow = -160.0 * 128.0;

// Down to t = -160 the fast result's relative error stays below 2^-40.95
// (shading/power_detail.h); these bounds enclose it with the products'
// rounding.
constexpr double kFastBelow = 1.0 - 0x1p-40;
constexpr double kFastAbove = 1.0 + 0x1p-40;

// ---- Error-free transformations and double-double arithmetic ----

// a + b = hi + lo exactly (Knuth).
DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bPart = s - a;
    return DoubleDouble{s, (a - (s - bPart)) + (b - bPart)};
}

// The same for |a| >= |b| (Dekker).
DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    return DoubleDouble{s, b - (s - a)};
}

// a = hi + lo, each with at most 26 significant bits (Veltkamp).
DoubleDouble SplitInHalves(double a) {
    const double c = 0x1.0000002p27 * a;
    const double hi = c - (c - a);
    return DoubleDouble{hi, a - hi};
}

// a * b = hi + lo exactly, without fused multiply-add (Dekker).
DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = SplitInHalves(a);
    const DoubleDouble y = SplitInHalves(b);
    return DoubleDouble{p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble high = TwoSum(a.hi, b.hi);
    const DoubleDouble low = TwoSum(a.lo, b.lo);
    const DoubleDouble partial = FastTwoSum(high.hi, high.lo + low.hi);
    return FastTwoSum(partial.hi, partial.lo + low.lo);
}

DoubleDouble Multiply(DoubleDouble a, double b) {
    const DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// A power of two, scaling both parts exactly.
DoubleDouble Scale(DoubleDouble a, double powerOfTwo) { return DoubleDouble{a.hi * powerOfTwo, a.lo * powerOfTwo}; }

template <int N, class Argument>
DoubleDouble Horner(const DoubleDouble (&coefficients)[N], Argument x) {
    DoubleDouble sum = coefficients[N - 1];
    for (int i = N - 2; i >= 0; --i) {
        sum = Add(Multiply(sum, x), coefficients[i]);
    }
    return sum;
}

// ---- x^y for positive finite x and finite y ----

// log2(z) for the reduced argument: the cell's log2(1/invc) plus log2(1 + r).
DoubleDouble AccurateLog2OfReduced(const kernel::power_detail::LogReduction& red) {
    const auto cell = static_cast<std::size_t>(red.cell - kernel::power_tables::kLogCells);
    const DoubleDouble series = Multiply(Horner(kernel::power_tables::kLog2Accurate, red.r), red.r);
    return Add(DoubleDouble{red.cell->log2c, kernel::power_tables::kLogCellTails[cell]}, series);
}

// 2^(t/128) for t = whole + fraction with |t - n| small for the integer n
// that the reduction picks from their sum.
DoubleDouble AccurateExp2OfSum(double whole, DoubleDouble fraction) {
    const kernel::power_detail::Exp2Reduction red = kernel::power_detail::ReduceForExp2((whole + fraction.hi) * 128.0);
    const DoubleDouble f = Add(TwoSum(whole * 128.0, -red.n), Scale(fraction, 128.0));
    const DoubleDouble exp2 =
        Multiply(kernel::power_tables::kExp2Cells[red.cell], Horner(kernel::power_tables::kExp2Accurate, f));
    return Scale(exp2, BitCast<double>(BitCast<std::uint64_t>(1.0) + red.exponentBits));
}

// The value of a float's bits, where the bits of infinity stand for 2^128,
// the first power of two beyond the largest float.
double ValueOfBits(std::uint32_t bits) {
    return bits == kInfinityBits ? 0x1p128 : static_cast<double>(BitCast<float>(bits));
}

struct Rounding {
    float nearest;
    bool certain;  // so for every value within the error bound
};

// Rounds the positive value v (|v.lo| at most half an ulp of v.hi) to float,
// and tells whether every value within v * relativeError of it rounds alike.
Rounding RoundToFloat(DoubleDouble v, double relativeError) {
    const std::uint32_t bits = BitCast<std::uint32_t>(static_cast<float>(v.hi));
    const double value = ValueOfBits(bits);
    if (bits == kInfinityBits && v.hi >= value) {
        return Rounding{BitCast<float>(kInfinityBits), true};
    }
    // The halfway point between v.hi's nearest float and the float on v's side.
    const std::uint32_t neighbour = v.hi >= value ? bits + 1 : bits - 1;
    const double halfway = (value + ValueOfBits(neighbour)) * 0.5;
    const DoubleDouble offset = Add(TwoSum(v.hi, -halfway), DoubleDouble{v.lo, 0.0});
    const std::uint32_t lower = neighbour < bits ? neighbour : bits;
    const std::uint32_t upper = neighbour < bits ? bits : neighbour;
    const bool certain = !(offset.hi <= v.hi * relativeError && offset.hi >= -v.hi * relativeError);
    if (offset.hi == 0.0) {
        return Rounding{static_cast<float>(halfway), certain};
    }
    return Rounding{BitCast<float>(offset.hi > 0.0 ? upper : lower), certain};
}

// An odd integer and a power of two: a float's value is odd * 2^exponent.
struct Dyadic {
    std::int64_t odd;
    int exponent;
};

Dyadic DyadicOf(std::uint32_t bits) {
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    const int biased = static_cast<int>(magnitude >> 23);
    Dyadic d{static_cast<std::int64_t>(magnitude & 0x7fffffu), biased == 0 ? -149 : biased - 150};
    if (biased != 0) {
        d.odd |= 0x800000;
    }
    while (d.odd % 2 == 0) {
        d.odd /= 2;
        ++d.exponent;
    }
    if (bits >> 31 != 0) {
        d.odd = -d.odd;
    }
    return d;
}

constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;

// base^power for power >= 0, or -1 once it reaches 2^53.
std::int64_t SmallPower(std::int64_t base, std::int64_t power) {
    std::int64_t result = 1;
    for (std::int64_t i = 0; i < power; ++i) {
        if (result >= kExactLimit / base) {
            return -1;
        }
        result *= base;
    }
    return result;
}

// The 2^s-th root of an odd integer below 2^24, or -1 when it has none.
std::int64_t PowerOfTwoRoot(std::int64_t a, int s) {
    for (int i = 0; i < s && a > 1; ++i) {
        const auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(a)));
        if (root * root != a) {
            return -1;
        }
        a = root;
    }
    return a;
}

// x^y when it is a dyadic number with at most 53 significant bits, as a
// double; every result on or halfway between floats is one. x is positive
// and finite, y finite and not 0, and 2^-152 < x^y < 2^129. With x = a * 2^e
// and y = b / 2^s (a, b odd), x^y is dyadic exactly when a is a 2^s-th
// power c^(2^s), 2^s divides e, and b > 0 unless c = 1; it is c^b * 2^(e*b/2^s).
bool ExactPower(std::uint32_t ix, float y, double* value) {
    const Dyadic x = DyadicOf(ix);
    const Dyadic exponent = DyadicOf(BitCast<std::uint32_t>(y));
    if (exponent.exponent > 30) {
        return false;  // |x^y| would be far outside the range unless x = 1
    }
    const int s = exponent.exponent < 0 ? -exponent.exponent : 0;
    const std::int64_t b = exponent.exponent < 0 ? exponent.odd : exponent.odd * (std::int64_t{1} << exponent.exponent);
    if (s > 30 ? x.exponent != 0 : x.exponent % (1 << s) != 0) {
        return false;
    }
    const std::int64_t c = PowerOfTwoRoot(x.odd, s);
    if (c < 0 || (c > 1 && b < 0)) {
        return false;
    }
    const std::int64_t odd = c == 1 ? 1 : SmallPower(c, b);
    const std::int64_t scale = (s > 30 ? 0 : x.exponent / (1 << s)) * b;
    if (odd < 0 || scale < -1000 || scale > 1000) {
        return false;
    }
    *value = static_cast<double>(odd) * BitCast<double>(static_cast<std::uint64_t>(scale + 1023) << 52);
    return true;
}

// x^y for positive finite x (bits ix, not 1) and finite y other than 0.
float PowerOfFinite(std::uint32_t ix, float y) {
    int extraExponent = 0;
    std::uint32_t normal = ix;
    if (ix < kSmallestNormalBits) {
        normal = BitCast<std::uint32_t>(BitCast<float>(ix) * 0x1p23f);
        extraExponent = -23;
    }
    const kernel::power_detail::LogReduction red = kernel::power_detail::ReduceForLog2(normal);
    const double whole = static_cast<double>(y) * (red.exponent + extraExponent);
    const DoubleDouble fraction = Multiply(AccurateLog2OfReduced(red), static_cast<double>(y));
    const double t = whole + fraction.hi;
    if (t > kOverflowExponent) {
        return BitCast<float>(kInfinityBits);
    }
    if (t < kUnderflowExponent) {
        return 0.0f;
    }
    const double relativeError = (fraction.hi < 0.0 ? 1.0 - fraction.hi : 1.0 + fraction.hi) * 0x1p-100;
    const Rounding rounding = RoundToFloat(AccurateExp2OfSum(whole, fraction), relativeError);
    double exact;
    if (!rounding.certain && ExactPower(ix, y, &exact)) {
        return static_cast<float>(exact);
    }
    return rounding.nearest;
}

// ---- Special operands (C17 F.10.4.4) ----

enum class Parity { kNotInteger, kEven, kOdd };

// Infinities count as even integers, as pow's special cases treat them.
Parity ParityOf(std::uint32_t bits) {
    const int biased = static_cast<int>((bits >> 23) & 0xff);
    if (biased < 127) {
        return (bits & 0x7fffffffu) == 0 ? Parity::kEven : Parity::kNotInteger;
    }
    if (biased > 150) {
        return Parity::kEven;
    }
    const std::uint32_t fraction = (bits & 0x7fffffu) | 0x800000u;
    const int fractionBits = 150 - biased;
    if ((fraction & ((1u << fractionBits) - 1)) != 0) {
        return Parity::kNotInteger;
    }
    return ((fraction >> fractionBits) & 1) != 0 ? Parity::kOdd : Parity::kEven;
}

// |x|^y: ax the bits of |x|, y neither 0 nor NaN.
float PowerOfMagnitude(std::uint32_t ax, float y) {
    const bool negativeY = BitCast<std::uint32_t>(y) >> 31 != 0;
    if (ax == kOneBits) {
        return 1.0f;
    }
    if (ax == 0) {
        return negativeY ? BitCast<float>(kInfinityBits) : 0.0f;
    }
    if (ax == kInfinityBits) {
        return negativeY ? 0.0f : BitCast<float>(kInfinityBits);
    }
    if ((BitCast<std::uint32_t>(y) & 0x7fffffffu) == kInfinityBits) {
        return (ax < kOneBits) == negativeY ? BitCast<float>(kInfinityBits) : 0.0f;
    }
    return PowerOfFinite(ax, y);
}

bool IsNaNBits(std::uint32_t bits) { return (bits & 0x7fffffffu) > kInfinityBits; }

#ifdef AURIVEL_KERNEL_SSE2

using namespace kernel::power_detail;

// Two doubles in one SSE2 register; each lane does what a double would.
struct DoubleLanes {
    __m128d v;
    AURIVEL_FORCE_INLINE DoubleLanes(__m128d lanes) : v(lanes) {}
    AURIVEL_FORCE_INLINE DoubleLanes(const power_lanes::Pair& both) : v(_mm_load_pd(both.lanes)) {}
};

// A table of power_lanes pairs, read as the templates read a table of doubles.
struct LaneTable {
    const power_lanes::Pair* pairs;
    AURIVEL_FORCE_INLINE DoubleLanes operator[](std::size_t i) const { return pairs[i]; }
};

AURIVEL_FORCE_INLINE DoubleLanes operator+(DoubleLanes a, DoubleLanes b) { return _mm_add_pd(a.v, b.v); }
AURIVEL_FORCE_INLINE DoubleLanes operator-(DoubleLanes a, DoubleLanes b) { return _mm_sub_pd(a.v, b.v); }
AURIVEL_FORCE_INLINE DoubleLanes operator*(DoubleLanes a, DoubleLanes b) { return _mm_mul_pd(a.v, b.v); }

// 128 y log2(x) for the two lanes of z (the reduced arguments as floats,
// in the low half), k and two logarithm cells; as ScaledExponent.
AURIVEL_FORCE_INLINE DoubleLanes ScaledExponentOfLanes(__m128 z, __m128i exponent,
                                                       const kernel::power_tables::LogCell& first,
                                                       const kernel::power_tables::LogCell& second, DoubleLanes y128,
                                                       const ScaledLog2Coefficients<DoubleLanes>& ya) {
    const __m128d cellA = _mm_loadu_pd(&first.invc);
    const __m128d cellB = _mm_loadu_pd(&second.invc);
    const DoubleLanes r = DoubleLanes(_mm_cvtps_pd(z)) * _mm_unpacklo_pd(cellA, cellB) - power_lanes::kOne;
    return ScaledLog2OfReduced<DoubleLanes>(r, _mm_cvtepi32_pd(exponent), _mm_unpackhi_pd(cellA, cellB), y128, ya);
}

// 2^(scaled / 128) in both lanes, as Exp2Fast, and whether each lane's
// result is a normal float (or overflows) that lies clear of every halfway
// point: mask bits 0 and 1.
AURIVEL_FORCE_INLINE int Exp2OfLanes(DoubleLanes scaled, __m128d& result) {
    const __m128d shifted = _mm_add_pd(scaled.v, DoubleLanes(power_lanes::kRoundToInteger).v);
    const __m128i n = _mm_castpd_si128(shifted);
    const DoubleLanes f = scaled - DoubleLanes(_mm_sub_pd(shifted, DoubleLanes(power_lanes::kRoundToInteger).v));
    const int cellA = _mm_cvtsi128_si32(n) & static_cast<int>(kExp2CellMask);
    const int cellB = _mm_extract_epi16(n, 4) & static_cast<int>(kExp2CellMask);
    const __m128d table = _mm_loadh_pd(_mm_load_sd(&kernel::power_tables::kExp2Cells[cellA].hi),
                                       &kernel::power_tables::kExp2Cells[cellB].hi);
    const __m128i exponentBits = _mm_slli_epi64(_mm_srli_epi64(n, kExp2CellBits), 52);
    const __m128d scale = _mm_castsi128_pd(_mm_add_epi64(_mm_castpd_si128(table), exponentBits));
    result = Exp2OfReduced<DoubleLanes>(scale, f, LaneTable{power_lanes::kExp2Fast}).v;

    const __m128d distance = _mm_andnot_pd(DoubleLanes(power_lanes::kSignBit).v,
                                           _mm_sub_pd(scaled.v, DoubleLanes(power_lanes::kNormalRangeMiddle).v));
    const int inRange = _mm_movemask_pd(_mm_cmplt_pd(distance, DoubleLanes(power_lanes::kNormalRangeHalfWidth).v));
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
    const __m128 z =
        _mm_castsi128_ps(_mm_sub_epi32(ix, _mm_and_si128(offset, _mm_set1_epi32(static_cast<int>(0xff800000u)))));
    const __m128i exponent = _mm_srai_epi32(offset, 23);
    const kernel::power_tables::LogCell& cellC = LogCellOf(BitCast<std::uint32_t>(c));
    const DoubleLanes y128 = _mm_set1_pd(static_cast<double>(y) * 128.0);
    const ScaledLog2Coefficients<DoubleLanes> ya = ScaleLog2Coefficients(y128, LaneTable{power_lanes::kLog2Fast});
    const DoubleLanes scaledAB = ScaledExponentOfLanes(z, exponent, LogCellOf(BitCast<std::uint32_t>(a)),
                                                       LogCellOf(BitCast<std::uint32_t>(b)), y128, ya);
    const DoubleLanes scaledC =
        ScaledExponentOfLanes(_mm_movehl_ps(z, z), _mm_unpackhi_epi64(exponent, exponent), cellC, cellC, y128, ya);
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

#endif

// x^y with the fast path inline and its continuations out of line: Power
// itself, and the gamma step's fallback, which so makes no call for a
// channel that the fast path answers.
AURIVEL_FORCE_INLINE float PowerWithFastPathInline(float x, float y) {
    using namespace kernel::power_detail;
    const std::uint32_t ix = BitCast<std::uint32_t>(x);
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

// Apart, so that the lanes' fast path needs no call and so no saved
// registers.
AURIVEL_NO_INLINE PowerTriple RaiseOneByOne(float a, float b, float c, float y) {
    return PowerTriple{PowerWithFastPathInline(a, y), PowerWithFastPathInline(b, y), PowerWithFastPathInline(c, y)};
}

}  // namespace

float Power(float x, float y) { return PowerWithFastPathInline(x, y); }

PowerTriple RaiseEachToPower(float a, float b, float c, float y) {
#ifdef AURIVEL_KERNEL_SSE2
    float fastA = a, fastB = b, fastC = c;
    if (AURIVEL_LIKELY(RaiseThreeFast(fastA, fastB, fastC, y))) {
        return PowerTriple{fastA, fastB, fastC};
    }
#endif
    return RaiseOneByOne(a, b, c, y);
}

namespace kernel::power_detail {

float PowerOutsideFastPath(float x, float y) {
    const std::uint32_t ix = BitCast<std::uint32_t>(x);
    if (ix == 0 || ix >= kInfinityBits) {
        return PowerAccurate(x, y);  // zero, negative, infinite or NaN x
    }
    const double scaled =
        ix < kSmallestNormalBits ? ScaledExponent(BitCast<std::uint32_t>(x * 0x1p23f), y, -23) : ScaledExponent(ix, y);
    if (scaled >= kScaledOverflow) {
        return BitCast<float>(kInfinityBits);
    }
    if (scaled < kScaledUnderflow) {
        return 0.0f;
    }
    if (std::isnan(scaled)) {
        return PowerAccurate(x, y);  // NaN y, or infinite y with x = 1
    }
    // The halfway points of subnormal results are no bit pattern of the
    // double, but rounding both ends of the error bound tells as well.
    const double result = Exp2Fast(scaled);
    const float below = static_cast<float>(result * kFastBelow);
    const float above = static_cast<float>(result * kFastAbove);
    if (below == above) {
        return below;
    }
    return PowerAccurate(x, y);
}

float PowerAccurate(float x, float y) {
    const std::uint32_t ix = BitCast<std::uint32_t>(x);
    const std::uint32_t iy = BitCast<std::uint32_t>(y);
    if ((iy & 0x7fffffffu) == 0 || ix == kOneBits) {
        return 1.0f;
    }
    if (IsNaNBits(ix) || IsNaNBits(iy)) {
        return BitCast<float>((IsNaNBits(ix) ? ix : iy) | kQuietBit);
    }
    const std::uint32_t ax = ix & 0x7fffffffu;
    if (ix == ax) {
        return PowerOfMagnitude(ax, y);
    }
    const Parity parity = ParityOf(iy);
    const bool finiteNonZeroX = ax != 0 && ax != kInfinityBits;
    if (parity == Parity::kNotInteger && finiteNonZeroX) {
        return BitCast<float>(kDefaultNaNBits);
    }
    const float magnitude = PowerOfMagnitude(ax, y);
    return parity == Parity::kOdd ? -magnitude : magnitude;
}

}  // namespace kernel::power_detail
}  // namespace aurivel
