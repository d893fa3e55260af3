#include "shading/shade_sample.h"

#include <gtest/gtest.h>

#include <limits>

#include "float_checks.h"
#include "presets/preset_table.h"

namespace aurivel {
namespace {

using test_support::Describe;

struct CosineCase {
    const char* what;
    Vec3 normal, view;
    float expected;
};

TEST(AbsCosine, MatchesReferenceValuesBitForBit) {
    const CosineCase cases[] = {
        {"front face", {0.0f, 0.0f, 1.0f}, {0.0f, 0.6f, -0.8f}, 0.8f},
        {"back face gives the same cosine", {0.0f, 0.0f, -1.0f}, {0.0f, 0.6f, -0.8f}, 0.8f},
        {"head-on", {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, -1.0f}, 1.0f},
        {"grazing", {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f}, 0.0f},
        // Summing the three products in either other order gives 0.0983021557.
        {"operation order",
         {0.327862501f, -0.64491576f, 0.690354884f},
         {0.749370515f, 0.652702808f, 0.111458138f},
         0.0983021483f},
    };
    for (const CosineCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_SAME_FLOAT(AbsCosine(c.normal, c.view), c.expected);
    }
}

struct SampleCase {
    const char* what;
    Vec3 normal, view;
    OpticalConstants ior;
    float hueShift, satShift, gamma;
    Rgba expected;
};

constexpr Vec3 kUp{0.0f, 0.0f, 1.0f};
constexpr Vec3 kDown{0.0f, 0.0f, -1.0f};
constexpr OpticalConstants kMixed{0.2f, 0.5f, 1.5f, 3.0f, 2.5f, 2.0f};
constexpr Vec3 kViewAtCosine08{0.0f, 0.6f, -0.8f};
constexpr Vec3 kViewAtCosine05{0.8660254f, 0.0f, -0.5f};
constexpr Vec3 kViewGrazing{1.0f, 0.0f, 0.0f};

TEST(ShadeSample, MatchesReferenceColoursBitForBit) {
    const OpticalConstants copper = *PresetRow(6);
    const SampleCase cases[] = {
        {"mixed constants at 0.8, neutral",
         kUp,
         kViewAtCosine08,
         kMixed,
         0.0f,
         0.0f,
         1.0f,
         {0.92296511f, 0.76501608f, 0.41733330f, 1.0f}},
        {"the back face shades alike",
         kDown,
         kViewAtCosine08,
         kMixed,
         0.0f,
         0.0f,
         1.0f,
         {0.92296511f, 0.76501608f, 0.41733330f, 1.0f}},
        {"default copper head-on", kUp, kDown, copper, 0.0f, 0.0f, 1.0f, {0.92595214f, 0.58900940f, 0.52098233f, 1.0f}},
        {"default copper at 60 degrees",
         kUp,
         kViewAtCosine05,
         copper,
         0.0f,
         0.0f,
         1.0f,
         {0.92047644f, 0.60414475f, 0.53937721f, 1.0f}},
        {"default copper at grazing view", kUp, kViewGrazing, copper, 0.0f, 0.0f, 1.0f, {1.0f, 1.0f, 1.0f, 1.0f}},
    };
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ExpectSameRgba(ShadeSample(c.normal, c.view, c.ior, c.hueShift, c.satShift, c.gamma), c.expected);
    }
}

TEST(ShadeSample, AdjustedColourMatchesTheListedDigits) {
    // The expected values are listed to five digits; those are what is held.
    for (const Vec3& normal : {kUp, kDown}) {
        const Rgba c = ShadeSample(normal, kViewAtCosine08, kMixed, -30.0f, -20.0f, 1.5f);
        EXPECT_NEAR(c.r, 0.79335, 0.5e-5);
        EXPECT_NEAR(c.g, 0.41170, 0.5e-5);
        EXPECT_NEAR(c.b, 0.33599, 0.5e-5);
        EXPECT_SAME_FLOAT(c.a, 1.0f);
    }
}

TEST(ShadeSample, BrokenVectorsGiveBlack) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const OpticalConstants copper = *PresetRow(6);
    const struct {
        const char* what;
        Vec3 normal, view;
        OpticalConstants ior;
    } cases[] = {
        {"NaN normal", {nan, 0.0f, 1.0f}, kDown, copper},
        {"infinite view", kUp, {0.0f, 0.0f, -inf}, copper},
        {"infinite view, vanishing index", kUp, {0.0f, 0.0f, -inf}, OpticalConstants{}},
        {"zero times infinity", {0.0f, 0.0f, 1.0f}, {inf, 0.0f, 0.0f}, copper},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ExpectSameRgba(ShadeSample(c.normal, c.view, c.ior, 0.0f, 0.0f, 1.0f),
                                     Rgba{0.0f, 0.0f, 0.0f, 1.0f});
    }
}

TEST(ShadeSample, EveryInputGivesAColourInUnitRange) {
    test_support::MixedFloats source(0x5a3b1eu);
    auto nextVector = [&] {
        return Vec3{source.Next(-1.0f, 1.0f), source.Next(-1.0f, 1.0f), source.Next(-1.0f, 1.0f)};
    };
    for (int i = 0; i < 2000000; ++i) {
        const Vec3 normal = nextVector();
        const Vec3 view = nextVector();
        const OpticalConstants ior{source.Next(0.0f, 100.0f), source.Next(0.0f, 100.0f), source.Next(0.0f, 100.0f),
                                   source.Next(0.0f, 100.0f), source.Next(0.0f, 100.0f), source.Next(0.0f, 100.0f)};
        const float hue = source.Next(-180.0f, 180.0f);
        const float sat = source.Next(-100.0f, 100.0f);
        const float gamma = source.Next(0.05f, 20.0f);
        const Rgba c = ShadeSample(normal, view, ior, hue, sat, gamma);
        ASSERT_TRUE(test_support::IsValidSampleColor(c))
            << "normal (" << Describe(normal.x) << ", " << Describe(normal.y) << ", " << Describe(normal.z)
            << ") view (" << Describe(view.x) << ", " << Describe(view.y) << ", " << Describe(view.z) << ") n ("
            << Describe(ior.nr) << ", " << Describe(ior.ng) << ", " << Describe(ior.nb) << ") k (" << Describe(ior.kr)
            << ", " << Describe(ior.kg) << ", " << Describe(ior.kb) << ") hue " << Describe(hue) << " sat "
            << Describe(sat) << " gamma " << Describe(gamma);
    }
}

}  // namespace
}  // namespace aurivel
