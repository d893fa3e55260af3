// At gamma 1 the pipeline skips the power and keeps the channel as it is.
// That is exact only if the power of x to 1 returns x itself for every
// channel value the pipeline can reach: +-0, positive floats up to
// infinity, and NaN (whose payload the final clamp discards).
//
// The power (shading/power.h) forms log2(x) and exp2(y * log2(x)) in double
// precision and rounds once at the end; x^1 is x, a float, so that rounding
// lands on x unless the intermediate is off by half an ulp of x. Where such
// an error could hide, the tests below are exhaustive: one whole binade (the
// logarithm's tables and polynomial see only the mantissa, the same in every
// binade), every subnormal (normalised on a path of its own), and every
// power of two with its neighbours (where the ulp changes, and the float
// below lies only half an ulp away). Everything else in [0, 1] is sampled;
// DISABLED_EveryFloatInUnitRange walks all 2^30 of them (several seconds:
// run with --gtest_also_run_disabled_tests).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "float_checks.h"
#include "plain_pipeline.h"

namespace aurivel {
namespace {

using test_support::Describe;

constexpr std::uint32_t kOneBits = 0x3f800000u;
constexpr std::uint32_t kHalfBits = 0x3f000000u;
constexpr std::uint32_t kSmallestNormalBits = 0x00800000u;

// The exponent as the pipeline has it, a value known only at run time.
float RuntimeOne() {
    static volatile float one = 1.0f;
    return one;
}

// The first float in [first, last] (as bit patterns) for which the gamma
// step's power of x to 1 is not x, or none.
::testing::AssertionResult PowerOfOneKeepsEvery(std::uint32_t first, std::uint32_t last) {
    const float one = RuntimeOne();
    for (std::uint64_t bits = first; bits <= last; ++bits) {
        const float x = FloatFromBits(static_cast<std::uint32_t>(bits));
        const float raised = plain::GammaPower(x, one);
        if (BitsOf(raised) != BitsOf(x)) {
            return ::testing::AssertionFailure() << Describe(x) << " to the power 1 is " << Describe(raised);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(GammaOneShortcut, HoldsOverTheBinadeBelowOne) { EXPECT_TRUE(PowerOfOneKeepsEvery(kHalfBits, kOneBits)); }

TEST(GammaOneShortcut, HoldsForZeroAndEverySubnormal) {
    EXPECT_TRUE(PowerOfOneKeepsEvery(0u, kSmallestNormalBits));
    EXPECT_TRUE(PowerOfOneKeepsEvery(BitsOf(-0.0f), BitsOf(-0.0f)));
}

TEST(GammaOneShortcut, HoldsAroundEveryPowerOfTwo) {
    for (std::uint32_t exponent = 1; exponent <= 254; ++exponent) {
        const std::uint32_t power = exponent << 23;
        EXPECT_TRUE(PowerOfOneKeepsEvery(power - 4, power + 4)) << "around 2^" << int(exponent) - 127;
    }
}

TEST(GammaOneShortcut, HoldsForSampledFloatsAndTheSpecialValues) {
    std::mt19937 engine(0x9a11u);
    for (int i = 0; i < 1 << 21; ++i) {
        const std::uint32_t unitBits = static_cast<std::uint32_t>(engine() % (kOneBits + 1));
        ASSERT_TRUE(PowerOfOneKeepsEvery(unitBits, unitBits));
        // Channels above 1 (saturation pushed past 1) are clamped afterwards,
        // but the shortcut keeps them exactly too.
        const std::uint32_t aboveBits = kOneBits + static_cast<std::uint32_t>(engine() % (0x7f800000u - kOneBits));
        ASSERT_TRUE(PowerOfOneKeepsEvery(aboveBits, aboveBits));
    }
    EXPECT_TRUE(PowerOfOneKeepsEvery(BitsOf(INFINITY), BitsOf(INFINITY)));
    EXPECT_TRUE(std::isnan(plain::GammaPower(std::numeric_limits<float>::quiet_NaN(), RuntimeOne())));
}

TEST(GammaOneShortcut, DISABLED_EveryFloatInUnitRange) { EXPECT_TRUE(PowerOfOneKeepsEvery(0u, kOneBits)); }

}  // namespace
}  // namespace aurivel
