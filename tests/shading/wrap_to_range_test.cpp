#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "float_checks.h"
#include "shading/color_adjust.h"

namespace aurivel {
namespace {

using test_support::Describe;

struct Range {
    float lo, hi;
};

// The ranges the pipeline wraps into, and two that do not start at 0.
const Range kRanges[] = {{0.0f, 360.0f}, {0.0f, 1.0f}, {-180.0f, 180.0f}, {0.25f, 1.25f}};

// The wrap as literal stepping in double precision; it only finishes in
// reasonable time for moderate values.
float SteppedWrap(float v, float lo, float hi) {
    const double low = lo;
    const double high = hi;
    const double width = high - low;
    double x = v;
    while (x < low) {
        x += width;
    }
    while (x >= high) {
        x -= width;
    }
    return static_cast<float>(x);
}

// Finite floats of either sign, every exponent from the subnormals up to
// about 1000 range widths equally likely, so the stepping stays short.
std::vector<float> ModerateValues(std::mt19937& engine, const Range& range, int count) {
    const double limit = 1000.0 * (static_cast<double>(range.hi) - range.lo);
    const int maxExponentField = 127 + std::ilogb(limit);
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::uint32_t sign = (engine() & 1u) << 31;
        const std::uint32_t exponent = engine() % static_cast<std::uint32_t>(maxExponentField + 1);
        const std::uint32_t mantissa = engine() & 0x7fffffu;
        values.push_back(FloatFromBits(sign | (exponent << 23) | mantissa));
    }
    return values;
}

// Values a few ulps either side of multiples of the width past both
// bounds, and tiny values just below the lower bound, where the last
// step's double rounding decides between the two ends.
std::vector<float> BoundaryValues(const Range& range) {
    const float width = range.hi - range.lo;
    std::vector<float> values;
    for (int m = -300; m <= 300; ++m) {
        float v = range.lo + static_cast<float>(m) * width;
        for (int i = 0; i < 3; ++i) {
            v = std::nextafter(v, -INFINITY);
        }
        for (int i = 0; i < 7; ++i) {
            values.push_back(v);
            v = std::nextafter(v, INFINITY);
        }
    }
    const float tiny[] = {1e-10f, 1e-15f, 1e-20f, 1e-30f, std::numeric_limits<float>::denorm_min()};
    for (float t : tiny) {
        values.push_back(range.lo - t);
        values.push_back(-t);
    }
    return values;
}

TEST(WrapToRange, EqualsLiteralSteppingBitForBit) {
    std::mt19937 engine(0x3a9u);
    for (const Range& range : kRanges) {
        SCOPED_TRACE(::testing::Message() << "[" << range.lo << ", " << range.hi << ")");
        std::vector<float> values = ModerateValues(engine, range, 250000);
        const std::vector<float> boundary = BoundaryValues(range);
        values.insert(values.end(), boundary.begin(), boundary.end());
        for (float v : values) {
            ASSERT_TRUE(test_support::SameFloat("WrapToRange", "stepping", WrapToRange(v, range.lo, range.hi),
                                                SteppedWrap(v, range.lo, range.hi)))
                << "for " << Describe(v);
        }
    }
}

TEST(WrapToRange, LastStepRoundingCanReachEitherEnd) {
    // -1e-10 + 360 stays below 360 in double and rounds up to 360 as a float;
    // -1e-15 + 360 is already 360 in double, so one more step gives 0.
    EXPECT_SAME_FLOAT(WrapToRange(-1e-10f, 0.0f, 360.0f), 360.0f);
    EXPECT_SAME_FLOAT(WrapToRange(-1e-15f, 0.0f, 360.0f), 0.0f);
}

TEST(WrapToRange, HugeValuesWrapToTheirExactRemainder) {
    // 2^100 and 3 * 2^100 are multiples of 1 and leave 0; the float
    // remainder of 3.4e38 by 360 is exact in double.
    const float twoTo100 = std::ldexp(1.0f, 100);
    EXPECT_SAME_FLOAT(WrapToRange(twoTo100, 0.0f, 1.0f), 0.0f);
    EXPECT_SAME_FLOAT(WrapToRange(-3.0f * twoTo100, 0.0f, 1.0f), 0.0f);
    EXPECT_SAME_FLOAT(WrapToRange(3.4e38f, 0.0f, 360.0f),
                      static_cast<float>(std::fmod(static_cast<double>(3.4e38f), 360.0)));
    EXPECT_SAME_FLOAT(WrapToRange(-3.4e38f, 0.0f, 360.0f),
                      static_cast<float>(std::fmod(-static_cast<double>(3.4e38f), 360.0) + 360.0));
}

TEST(WrapToRange, FiniteValuesLandInsideEveryRangeAndReturn) {
    // A stepping loop over these would not finish; each call must, and land
    // in [lo, hi] (hi itself only through the final rounding).
    test_support::MixedFloats source(0x77a9u);
    const std::vector<float> hard = test_support::HardValues();
    auto landsInside = [](float v, float lo, float hi) -> ::testing::AssertionResult {
        const float w = WrapToRange(v, lo, hi);
        if (w >= lo && w <= hi) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << Describe(v) << " into [" << Describe(lo) << ", " << Describe(hi) << ") gives " << Describe(w);
    };
    for (const Range& range : kRanges) {
        for (float v : hard) {
            if (std::isfinite(v)) {
                ASSERT_TRUE(landsInside(v, range.lo, range.hi));
            }
        }
        for (int i = 0; i < 200000; ++i) {
            ASSERT_TRUE(landsInside(source.NextFinite(), range.lo, range.hi));
        }
    }
    // Arbitrary finite bounds, narrow and wide.
    for (int i = 0; i < 200000; ++i) {
        float lo = source.NextFinite();
        float hi = source.NextFinite();
        if (lo == hi) {
            continue;
        }
        if (lo > hi) {
            std::swap(lo, hi);
        }
        ASSERT_TRUE(landsInside(source.NextFinite(), lo, hi));
    }
}

TEST(WrapToRange, EmptyRangeGivesItsBound) {
    // No step can enter [lo, lo); the lower bound is the defined answer.
    for (float v : {-1e30f, -1.0f, 0.0f, 2.0f, 3.4e38f}) {
        EXPECT_SAME_FLOAT(WrapToRange(v, 2.0f, 2.0f), 2.0f);
    }
}

}  // namespace
}  // namespace aurivel
