#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "shading/bit_cast.h"

#include "shading/shading_types.h"

#define EXPECT_SAME_FLOAT(actual, expected) EXPECT_PRED_FORMAT2(::aurivel::test_support::SameFloat, actual, expected)

namespace aurivel::test_support {

inline std::string Describe(float v) {
    char text[48];
    std::snprintf(text, sizeof text, "%.9g (0x%08x)", static_cast<double>(v), static_cast<unsigned>(BitsOf(v)));
    return text;
}

// Bit-for-bit equality, so that -0 differs from +0 and NaN equals itself.
inline ::testing::AssertionResult SameFloat(const char* actualText, const char* expectedText, float actual,
                                            float expected) {
    if (BitsOf(actual) == BitsOf(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actualText << " is " << Describe(actual) << ", " << expectedText << " is "
                                         << Describe(expected);
}

inline void ExpectSameRgba(const Rgba& actual, const Rgba& expected) {
    EXPECT_SAME_FLOAT(actual.r, expected.r);
    EXPECT_SAME_FLOAT(actual.g, expected.g);
    EXPECT_SAME_FLOAT(actual.b, expected.b);
    EXPECT_SAME_FLOAT(actual.a, expected.a);
}

inline bool IsUnitChannel(float v) { return v >= 0.0f && v <= 1.0f; }

inline ::testing::AssertionResult IsValidSampleColor(const Rgba& c) {
    if (IsUnitChannel(c.r) && IsUnitChannel(c.g) && IsUnitChannel(c.b) && c.a == 1.0f) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << Describe(c.r) << ", " << Describe(c.g) << ", " << Describe(c.b)
                                         << ", " << Describe(c.a) << ")";
}

// Values that break naive arithmetic: signed zeros, subnormals, the ends of
// the float range, infinities and NaN.
inline std::vector<float> HardValues() {
    using limits = std::numeric_limits<float>;
    const std::vector<float> magnitudes = {0.0f,
                                           limits::denorm_min(),
                                           FloatFromBits(0x007fffffu),  // largest subnormal
                                           limits::min(),
                                           1e-30f,
                                           1e-10f,
                                           0.5f,
                                           1.0f,
                                           1e30f,
                                           3.4e38f,
                                           limits::max(),
                                           limits::infinity()};
    std::vector<float> values;
    for (float m : magnitudes) {
        values.push_back(m);
        values.push_back(-m);
    }
    values.push_back(limits::quiet_NaN());
    values.push_back(-limits::quiet_NaN());
    return values;
}

// Uniform in [low, high]. Cheaper than std::uniform_real_distribution,
// whose libstdc++ version calls logl for every draw in some builds.
inline float UniformFloat(std::mt19937& engine, float low, float high) {
    const float unit = static_cast<float>(engine() >> 8) * 0x1p-24f;
    return low + (high - low) * unit;
}

// A reproducible stream of ordinary values drawn from [low, high], with one
// in sixteen a hard value and one in sixteen an arbitrary bit pattern, so
// that most calls fed from it mix one or two odd inputs with plausible ones.
class MixedFloats {
public:
    explicit MixedFloats(std::uint32_t streamId) : engine_(streamId), hard_(HardValues()) {}

    float Next(float low, float high) {
        switch (engine_() % 16) {
            case 0:
                return hard_[engine_() % hard_.size()];
            case 1:
                return FloatFromBits(static_cast<std::uint32_t>(engine_()));
            default:
                return UniformFloat(engine_, low, high);
        }
    }

    // Any finite float, every exponent equally likely.
    float NextFinite() {
        for (;;) {
            const float v = FloatFromBits(static_cast<std::uint32_t>(engine_()));
            if (std::isfinite(v)) {
                return v;
            }
        }
    }

private:
    std::mt19937 engine_;
    std::vector<float> hard_;
};

}  // namespace aurivel::test_support
