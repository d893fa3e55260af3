// The map's power against two correctly rounded references: GNU MPFR, and
// LLVM's powf for wider random sweeps. Random inputs rarely reach the
// accurate path (about once in 2^16 calls), so it is also tested on its own,
// and on the sets where rounding is hardest: results exactly halfway
// between two floats, exact results, and results at the ends of the range.
// tools/power_tables/power_exhaustive checks every x in [0, 1] at gamma 2.2
// and 1/2.2 (not run here: tens of minutes).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "exact_power/exact_power.h"
#include "float_checks.h"
#include "exact_power/llvm_powf.h"
#include "shading/power.h"
#include "shading/power_detail.h"

namespace aurivel {
namespace {

using kernel::power_detail::PowerAccurate;
using test_support::Describe;

constexpr int kMpfrCases = 1000000;
// Sanitizers and unoptimised builds run each case several times slower.
#if defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__)
constexpr int kLlvmCases = 10000000;
#else
constexpr int kLlvmCases = 1000000;
#endif

constexpr std::uint32_t kOneBits = 0x3f800000u;
constexpr std::uint32_t kGammaLowBits = 0x3d4ccccdu;   // 0.05f
constexpr std::uint32_t kGammaHighBits = 0x41a00000u;  // 20.0f

using PowerFunction = float (*)(float, float);

// Equal bits, or NaN on both sides when the references do not fix a payload.
bool SameResult(float a, float b) { return BitsOf(a) == BitsOf(b) || (std::isnan(a) && std::isnan(b)); }

::testing::AssertionResult MatchesMpfr(PowerFunction power, float x, float y) {
    const float got = power(x, y);
    const float want = reference::ExactPower(x, y);
    if (SameResult(got, want)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "x " << Describe(x) << " y " << Describe(y) << " gives " << Describe(got)
                                         << ", correctly rounded " << Describe(want);
}

// Draws the pipeline's channels and gammas: half uniform in value, half
// uniform over the encodings (every binade alike, subnormals included).
class PipelineInputs {
public:
    explicit PipelineInputs(std::uint32_t streamId) : engine_(streamId) {}

    float Channel() {
        return engine_() % 2 == 0 ? test_support::UniformFloat(engine_, 0.0f, 1.0f)
                                  : FloatFromBits(static_cast<std::uint32_t>(engine_() % (kOneBits + 1)));
    }

    float Gamma() {
        return engine_() % 2 == 0 ? test_support::UniformFloat(engine_, 0.05f, 20.0f)
                                  : FloatFromBits(kGammaLowBits + engine_() % (kGammaHighBits - kGammaLowBits + 1));
    }

private:
    std::mt19937 engine_;
};

TEST(Power, IsCorrectlyRoundedOverThePipelinesDomain) {
    PipelineInputs in(0x70e1u);
    for (int i = 0; i < kMpfrCases; ++i) {
        const float x = in.Channel();
        ASSERT_TRUE(MatchesMpfr(Power, x, in.Gamma()));
    }
}

TEST(Power, MatchesLlvmsCorrectlyRoundedPowfForAnyFloats) {
    std::mt19937 engine(0x11a5u);
    for (int i = 0; i < kLlvmCases; ++i) {
        const float x = FloatFromBits(static_cast<std::uint32_t>(engine()));
        // Exponents of every size, most of them giving results in range.
        const float y = i % 2 == 0 ? FloatFromBits(static_cast<std::uint32_t>(engine()))
                                   : test_support::UniformFloat(engine, -40.0f, 40.0f);
        const float got = Power(x, y);
        const float want = reference::LlvmPowf(x, y);
        ASSERT_TRUE(SameResult(got, want)) << "x " << Describe(x) << " y " << Describe(y) << " gives " << Describe(got)
                                           << ", LLVM's powf " << Describe(want);
    }
}

// x = a * 2^e with a^n in [2^24, 2^25) odd lands halfway between two floats;
// below the normal range an odd multiple of 2^-150 does.
std::vector<std::pair<float, float>> HalfwayCases() {
    std::vector<std::pair<float, float>> cases;
    for (int a = 4097; a < 5793; a += 2) {  // a^2 has 25 bits
        for (int e : {-13, -40, -63, 0, 30}) {
            cases.emplace_back(std::ldexp(static_cast<float>(a), e), 2.0f);
        }
    }
    for (int a = 257; a < 323; a += 2) {  // a^3 has 25 bits; (a^2)^1.5 = a^3
        for (int e : {-9, -40, 20}) {
            cases.emplace_back(std::ldexp(static_cast<float>(a), e), 3.0f);
            cases.emplace_back(std::ldexp(static_cast<float>(a * a), 2 * e), 1.5f);
        }
    }
    for (int a = 1; a < 400; a += 2) {  // a^2 * 2^-150 and a^3 * 2^-150
        cases.emplace_back(std::ldexp(static_cast<float>(a), -75), 2.0f);
        cases.emplace_back(std::ldexp(static_cast<float>(a), -50), 3.0f);
    }
    return cases;
}

// Exact results: roots of perfect squares and fourth powers, powers of two
// to fractional exponents, and negative powers of powers of two.
std::vector<std::pair<float, float>> ExactCases() {
    std::vector<std::pair<float, float>> cases;
    for (int e = -74; e <= 63; ++e) {
        cases.emplace_back(std::ldexp(9.0f, 2 * e), 0.5f);
        cases.emplace_back(std::ldexp(81.0f, 4 * (e / 2)), 0.75f);
        cases.emplace_back(std::ldexp(1.0f, 2 * e), -1.5f);
        cases.emplace_back(std::ldexp(1.0f, e), 1.0f / 8.0f);
    }
    cases.emplace_back(0.25f, 0.5f);
    return cases;
}

// Around the ends of the result's range: x^y close to 2^128, to the
// smallest normal, the smallest subnormal and half of it, for x on both
// sides of 1.
std::vector<std::pair<float, float>> RangeEndCases() {
    std::vector<std::pair<float, float>> cases;
    std::mt19937 engine(0x3e9du);
    for (int i = 0; i < 2000; ++i) {
        const float x = FloatFromBits(kOneBits + 0x10000u + engine() % 0x00ff0000u);
        for (const double t : {128.0, -126.0, -149.0, -150.0, -151.0}) {
            const float y = static_cast<float>(t / std::log2(static_cast<double>(x)));
            for (int step = -3; step <= 3; ++step) {
                const float near = FloatFromBits(BitsOf(y) + static_cast<std::uint32_t>(step));
                cases.emplace_back(x, near);
                cases.emplace_back(1.0f / x, -near);
            }
        }
    }
    return cases;
}

// x near 1 (where log2 x is tiny), powers of two and subnormals, at
// exponents from the pipeline's range and far beyond it.
std::vector<std::pair<float, float>> SpecialBaseCases() {
    std::vector<std::pair<float, float>> cases;
    const std::vector<float> exponents = {0.05f, 1.0f / 2.2f, 2.2f, 20.0f, 1e-30f, 3e5f, -7e6f, 1e30f};
    for (int step = -2000; step <= 2000; ++step) {
        for (const float y : exponents) {
            cases.emplace_back(FloatFromBits(kOneBits + static_cast<std::uint32_t>(step)), y);
        }
    }
    for (std::uint32_t bits = 1; bits < 0x7f800000u; bits = bits * 3 + 1) {
        for (const float y : exponents) {
            cases.emplace_back(FloatFromBits(bits), y);                // subnormals and sparse normals
            cases.emplace_back(FloatFromBits(bits & 0x7f800000u), y);  // powers of two and +0
        }
    }
    return cases;
}

// Both the whole function and its accurate path alone, which random inputs
// seldom reach.
TEST(Power, IsCorrectlyRoundedOnTheHardSets) {
    for (const auto& set : {HalfwayCases(), ExactCases(), RangeEndCases(), SpecialBaseCases()}) {
        for (const auto& [x, y] : set) {
            ASSERT_TRUE(MatchesMpfr(Power, x, y));
            ASSERT_TRUE(MatchesMpfr(PowerAccurate, x, y)) << "accurate path";
        }
    }
}

TEST(Power, AccuratePathIsCorrectlyRoundedOverThePipelinesDomain) {
    PipelineInputs in(0x5c3bu);
    for (int i = 0; i < kMpfrCases / 10; ++i) {
        const float x = in.Channel();
        ASSERT_TRUE(MatchesMpfr(PowerAccurate, x, in.Gamma()));
    }
}

// C17 F.10.4.4, every pair of special values: zeros, infinities, NaN, +-1,
// negative bases with integer and non-integer exponents.
TEST(Power, FollowsTheSpecialCasesOfC) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> values = {0.0f,
                                       -0.0f,
                                       1.0f,
                                       -1.0f,
                                       0.5f,
                                       -0.5f,
                                       2.0f,
                                       -2.0f,
                                       3.0f,
                                       -3.0f,
                                       inf,
                                       -inf,
                                       nan,
                                       1.5f,
                                       -1.5f,
                                       1e-45f,
                                       -1e-45f,
                                       0x1p24f,
                                       0x1.000002p23f,
                                       -0x1.000002p23f,
                                       std::numeric_limits<float>::max()};
    for (const float x : values) {
        for (const float y : values) {
            EXPECT_TRUE(MatchesMpfr(Power, x, y));
        }
    }
}

// A NaN operand comes back quiet, x's before y's; an invalid operation gives
// the default quiet NaN. Fixed bits, so that every platform agrees.
TEST(Power, ChoosesItsNaNsTheSameEverywhere) {
    const float signallingX = FloatFromBits(0xff800123u);
    const float quietY = FloatFromBits(0x7fc00456u);
    EXPECT_SAME_FLOAT(Power(signallingX, quietY), FloatFromBits(0xffc00123u));
    EXPECT_SAME_FLOAT(Power(2.0f, quietY), quietY);
    EXPECT_SAME_FLOAT(Power(-2.0f, 0.5f), FloatFromBits(0x7fc00000u));
}

}  // namespace
}  // namespace aurivel
