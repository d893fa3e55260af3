// The shading library against the plainly written pipeline, bit for bit,
// over millions of random, extreme and malformed inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "float_checks.h"
#include "plain_pipeline.h"
#include "presets/preset_table.h"
#include "shading/color_adjust.h"
#include "shading/color_adjust_inline.h"
#include "shading/conductor_fresnel.h"
#include "shading/shade_sample.h"

namespace aurivel {
namespace {

using testing::BitsOf;
using testing::Describe;

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

::testing::AssertionResult SameRgba(const Rgba& actual, const Rgba& expected) {
    if (SameResult(actual.r, expected.r) && SameResult(actual.g, expected.g) && SameResult(actual.b, expected.b) &&
        SameResult(actual.a, expected.a)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << Describe(actual.r) << ", " << Describe(actual.g) << ", "
                                         << Describe(actual.b) << ", " << Describe(actual.a) << "), plainly ("
                                         << Describe(expected.r) << ", " << Describe(expected.g) << ", "
                                         << Describe(expected.b) << ", " << Describe(expected.a) << ")";
}

// Draws the inputs of one call from a mix of plausible, extreme and
// arbitrary values (see MixedFloats).
class InputSource {
public:
    explicit InputSource(std::uint32_t streamId) : floats_(streamId), choices_(~streamId) {}

    float Cosine() { return floats_.Next(0.0f, 1.0f); }
    float Channel() { return floats_.Next(0.0f, 1.0f); }
    float Constant() { return floats_.Next(0.0f, 100.0f); }
    float HueShift() { return floats_.Next(-180.0f, 180.0f); }
    float SatShift() { return floats_.Next(-100.0f, 100.0f); }
    // Gamma 1, the default, takes a shortcut: a quarter of the draws.
    float Gamma() { return OneIn(4) ? 1.0f : floats_.Next(0.05f, 20.0f); }
    float Any(float low, float high) { return floats_.Next(low, high); }

    // A quarter are the metals of the preset table.
    OpticalConstants Constants() {
        if (OneIn(4)) {
            return kPresetRows[choices_() % kPresetRows.size()];
        }
        return OpticalConstants{Constant(), Constant(), Constant(), Constant(), Constant(), Constant()};
    }

    // Half of the vectors are of unit length, as the host's are; the others
    // have free components.
    Vec3 Direction() {
        const Vec3 v{Any(-1.0f, 1.0f), Any(-1.0f, 1.0f), Any(-1.0f, 1.0f)};
        if (OneIn(2)) {
            return v;
        }
        const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        return Vec3{v.x / length, v.y / length, v.z / length};
    }

private:
    bool OneIn(std::uint32_t n) { return choices_() % n == 0; }

    testing::MixedFloats floats_;
    std::mt19937 choices_;
};

TEST(PipelineExactness, ConductorReflectanceRGB) {
    InputSource in(0xf7e5u);
    for (int i = 0; i < kCaseCount; ++i) {
        const float mu = in.Cosine();
        const OpticalConstants ior = in.Constants();
        ASSERT_TRUE(SameRgba(ConductorReflectanceRGB(mu, ior), plain::ConductorReflectanceRGB(mu, ior)))
            << "cosine " << Describe(mu) << " n " << Describe(ior.nr) << " k " << Describe(ior.kr);
    }
}

// Where the inline wrap switches between its float steps and the general
// path: a few ulps either side of every boundary.
TEST(PipelineExactness, WrapFromZeroAtItsStepBoundaries) {
    for (const float hi : {1.0f, 360.0f}) {
        for (const float boundary :
             {0.0f, hi, 2.0f * hi, -hi, -hi * 0x1p-29f, -hi * 0x1p-54f, std::numeric_limits<float>::denorm_min()}) {
            float v = boundary;
            for (int i = 0; i < 4; ++i) {
                v = std::nextafter(v, -INFINITY);
            }
            for (int i = 0; i < 9; ++i, v = std::nextafter(v, INFINITY)) {
                ASSERT_TRUE(SameResult(kernel::WrapFromZero(v, hi), plain::WrapFromZero(v, hi)))
                    << Describe(v) << " into [0, " << hi << ")";
            }
        }
    }
}

TEST(PipelineExactness, HueToChannel) {
    InputSource in(0x4c7au);
    for (int i = 0; i < kCaseCount; ++i) {
        const float p = in.Any(-0.5f, 1.0f);
        const float q = in.Any(0.0f, 2.0f);
        const float t = in.Any(-0.5f, 1.5f);
        ASSERT_TRUE(SameResult(HueToChannel(p, q, t), plain::HueToChannel(p, q, t)))
            << "p " << Describe(p) << " q " << Describe(q) << " t " << Describe(t);
    }
}

TEST(PipelineExactness, RgbToHsl) {
    InputSource in(0x8b51u);
    for (int i = 0; i < kCaseCount; ++i) {
        const float r = in.Channel();
        const float g = in.Channel();
        const float b = in.Channel();
        const Hsl got = RgbToHsl(r, g, b);
        const Hsl want = plain::RgbToHsl(r, g, b);
        ASSERT_TRUE(SameResult(got.h, want.h) && SameResult(got.s, want.s) && SameResult(got.l, want.l))
            << "(" << Describe(r) << ", " << Describe(g) << ", " << Describe(b) << ") gives H " << Describe(got.h)
            << " S " << Describe(got.s) << " L " << Describe(got.l);
    }
}

TEST(PipelineExactness, AdjustColor) {
    InputSource in(0x2da3u);
    for (int i = 0; i < kCaseCount; ++i) {
        const float r = in.Channel();
        const float g = in.Channel();
        const float b = in.Channel();
        const float hue = in.HueShift();
        const float sat = in.SatShift();
        const float gamma = in.Gamma();
        ASSERT_TRUE(SameRgba(AdjustColor(r, g, b, hue, sat, gamma), plain::AdjustColor(r, g, b, hue, sat, gamma)))
            << "(" << Describe(r) << ", " << Describe(g) << ", " << Describe(b) << ") hue " << Describe(hue) << " sat "
            << Describe(sat) << " gamma " << Describe(gamma);
    }
}

TEST(PipelineExactness, ShadeSample) {
    InputSource in(0x51d9u);
    for (int i = 0; i < kCaseCount; ++i) {
        const Vec3 n = in.Direction();
        const Vec3 v = in.Direction();
        const OpticalConstants ior = in.Constants();
        const float hue = in.HueShift();
        const float sat = in.SatShift();
        const float gamma = in.Gamma();
        ASSERT_TRUE(SameRgba(ShadeSample(n, v, ior, hue, sat, gamma), plain::ShadeSample(n, v, ior, hue, sat, gamma)))
            << "normal (" << Describe(n.x) << ", " << Describe(n.y) << ", " << Describe(n.z) << ") view ("
            << Describe(v.x) << ", " << Describe(v.y) << ", " << Describe(v.z) << ") hue " << Describe(hue) << " sat "
            << Describe(sat) << " gamma " << Describe(gamma);
    }
}

}  // namespace
}  // namespace aurivel
