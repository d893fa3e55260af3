// The sample's shortcuts against the general operations they stand in for,
// bit for bit, over millions of random, extreme and malformed inputs.
// gamma_shortcut_test.cpp proves, walking whole ranges of floats, what the
// gamma step's shortcut relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "float_checks.h"
#include "plain_pipeline.h"
#include "presets/preset_table.h"
#include "shading/color_adjust.h"
#include "shading/conductor_fresnel.h"

namespace aurivel {
namespace {

using test_support::Describe;

// Sanitizers and unoptimised builds run each case several times slower.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kCaseCount = 1000000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kCaseCount = 1000000;
#else
constexpr int kCaseCount = 4000000;
#endif
#else
constexpr int kCaseCount = 4000000;
#endif

// Equal bits, or NaN on both sides: a NaN's payload is not part of the result.
bool SameResult(float a, float b) { return BitsOf(a) == BitsOf(b) || (std::isnan(a) && std::isnan(b)); }

::testing::AssertionResult SameLanes(float cosine, const OpticalConstants& ior) {
    const Rgba lanes = ConductorReflectanceRGB(cosine, ior);
    const Rgba scalar = plain::ConductorReflectanceRGB(cosine, ior);
    if (SameResult(lanes.r, scalar.r) && SameResult(lanes.g, scalar.g) && SameResult(lanes.b, scalar.b) &&
        SameResult(lanes.a, scalar.a)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "cosine " << Describe(cosine) << ", n (" << Describe(ior.nr) << ", "
                                         << Describe(ior.ng) << ", " << Describe(ior.nb) << "), k (" << Describe(ior.kr)
                                         << ", " << Describe(ior.kg) << ", " << Describe(ior.kb) << "): lanes give ("
                                         << Describe(lanes.r) << ", " << Describe(lanes.g) << ", " << Describe(lanes.b)
                                         << "), scalar code (" << Describe(scalar.r) << ", " << Describe(scalar.g)
                                         << ", " << Describe(scalar.b) << ")";
}

TEST(PipelineExactness, SseLanesGiveTheScalarBitsForEveryHardInput) {
    // Each hard value as the cosine, and as n and k of the outer lanes around
    // an ordinary middle lane: the 0/0 of n = k = 0 at grazing incidence,
    // results above 1, NaN and infinities reach the scalar fallback one lane
    // at a time.
    const std::vector<float> hard = test_support::HardValues();
    for (float cosine : hard) {
        for (float n : hard) {
            for (float k : hard) {
                ASSERT_TRUE(SameLanes(cosine, OpticalConstants{n, 0.5f, k, k, 2.0f, n}));
            }
        }
    }
}

TEST(PipelineExactness, SseLanesGiveTheScalarBitsForRandomInputs) {
    test_support::MixedFloats floats(0xf7e5u);
    for (int i = 0; i < kCaseCount; ++i) {
        const float cosine = floats.Next(0.0f, 1.0f);
        // One in four draws is a preset metal, as most maps are.
        const OpticalConstants ior =
            i % 4 == 0
                ? kPresetRows[static_cast<std::size_t>(i / 4) % kPresetRows.size()]
                : OpticalConstants{floats.Next(0.0f, 100.0f), floats.Next(0.0f, 100.0f), floats.Next(0.0f, 100.0f),
                                   floats.Next(0.0f, 100.0f), floats.Next(0.0f, 100.0f), floats.Next(0.0f, 100.0f)};
        ASSERT_TRUE(SameLanes(cosine, ior));
    }
}

::testing::AssertionResult SameWrap(float v, float hi) {
    const float wrapped = kernel::WrapFromZero(v, hi);
    const float general = plain::WrapFromZero(v, hi);
    if (SameResult(wrapped, general)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << Describe(v) << " into [0, " << hi << ") gives " << Describe(wrapped)
                                         << ", the general wrap " << Describe(general);
}

// The pipeline wraps into [0, 1) and [0, 360).
constexpr float kWrapWidths[] = {1.0f, 360.0f};

// Where the inline wrap switches between its one-step shortcuts and the
// general path: a few ulps either side of every boundary.
TEST(PipelineExactness, OneStepWrapsAtTheirBoundaries) {
    for (const float hi : kWrapWidths) {
        for (const float boundary :
             {0.0f, hi, 2.0f * hi, -hi, -hi * 0x1p-29f, -hi * 0x1p-54f, std::numeric_limits<float>::denorm_min()}) {
            float v = boundary;
            for (int i = 0; i < 4; ++i) {
                v = std::nextafter(v, -INFINITY);
            }
            for (int i = 0; i < 9; ++i, v = std::nextafter(v, INFINITY)) {
                ASSERT_TRUE(SameWrap(v, hi));
            }
        }
    }
}

TEST(PipelineExactness, OneStepWrapsForRandomInputs) {
    // The hues and hue turns the pipeline wraps lie within a width or two of
    // the range; the mix adds extreme and malformed values.
    test_support::MixedFloats floats(0x4c7au);
    for (const float hi : kWrapWidths) {
        for (int i = 0; i < kCaseCount / 2; ++i) {
            ASSERT_TRUE(SameWrap(floats.Next(-2.0f * hi, 3.0f * hi), hi));
        }
    }
}

TEST(PipelineExactness, GammaStepGivesThePowerOfEveryChannel) {
    // Gamma 1, where the step takes its shortcut, and its neighbours, where
    // it must not, among gammas from the whole range.
    const float nearOne[] = {1.0f, std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 2.0f)};
    test_support::MixedFloats floats(0x9a3du);
    for (int i = 0; i < kCaseCount / 4; ++i) {
        const float gamma = i % 2 == 0 ? nearOne[(i / 2) % 3] : floats.Next(0.05f, 20.0f);
        const float channels[] = {floats.Next(0.0f, 1.2f), floats.Next(0.0f, 1.2f), floats.Next(0.0f, 1.2f)};
        float raised[] = {channels[0], channels[1], channels[2]};
        kernel::RaiseToGamma(raised[0], raised[1], raised[2], gamma);
        for (int c = 0; c < 3; ++c) {
            ASSERT_TRUE(SameResult(raised[c], plain::GammaPower(channels[c], gamma)))
                << Describe(channels[c]) << " to the power " << Describe(gamma) << " gives " << Describe(raised[c]);
        }
    }
}

}  // namespace
}  // namespace aurivel
