#include "shading/color_adjust.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "float_checks.h"

namespace aurivel {
namespace {

using test_support::Describe;

struct HslCase {
    const char* what;
    float r, g, b;
    Hsl expected;
};

TEST(RgbToHsl, MatchesReferenceValuesBitForBit) {
    const HslCase cases[] = {
        {"orange", 0.9f, 0.5f, 0.2f, {25.714287f, 0.77777773f, 0.55f}},
        {"yellow: the red/green tie takes the red branch", 1.0f, 1.0f, 0.0f, {60.0f, 1.0f, 0.5f}},
        {"cyan", 0.0f, 1.0f, 1.0f, {180.0f, 1.0f, 0.5f}},
        {"magenta", 1.0f, 0.0f, 1.0f, {300.0f, 1.0f, 0.5f}},
        {"grey", 0.5f, 0.5f, 0.5f, {0.0f, 0.0f, 0.5f}},
        // L rounds to 1 while 2 - max - min is negative: S would be -3.
        {"negative saturation becomes 0", 1.0000001f, 0.99999994f, 0.99999994f, {0.0f, 0.0f, 1.0f}},
    };
    for (const HslCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Hsl hsl = RgbToHsl(c.r, c.g, c.b);
        EXPECT_SAME_FLOAT(hsl.h, c.expected.h);
        EXPECT_SAME_FLOAT(hsl.s, c.expected.s);
        EXPECT_SAME_FLOAT(hsl.l, c.expected.l);
    }
}

TEST(RgbToHsl, NearGreyKeepsItsSaturationButHasHueZero) {
    // The channels differ by less than the achromatic threshold: no hue, yet
    // the saturation is still formed.
    const Hsl hsl = RgbToHsl(0.5f, 0.500005f, 0.5f);
    EXPECT_SAME_FLOAT(hsl.h, 0.0f);
    EXPECT_GT(hsl.s, 0.0f);
    EXPECT_LT(hsl.s, 1e-4f);
}

struct AdjustCase {
    const char* what;
    float r, g, b;
    float hueShift, satShift, gamma;
    Rgba expected;
};

TEST(AdjustColor, MatchesReferenceColoursBitForBit) {
    const AdjustCase cases[] = {
        {"neutral", 0.9f, 0.5f, 0.2f, 0.0f, 0.0f, 1.0f, {0.89999998f, 0.50000006f, 0.20000005f, 1.0f}},
        {"hue +120", 0.9f, 0.5f, 0.2f, 120.0f, 0.0f, 1.0f, {0.20000005f, 0.89999998f, 0.50000012f, 1.0f}},
        {"hue +180", 0.9f, 0.5f, 0.2f, 180.0f, 0.0f, 1.0f, {0.20000005f, 0.59999990f, 0.89999998f, 1.0f}},
        {"hue -180", 0.9f, 0.5f, 0.2f, -180.0f, 0.0f, 1.0f, {0.20000005f, 0.59999990f, 0.89999998f, 1.0f}},
        {"saturation -100 gives grey", 0.9f, 0.5f, 0.2f, 0.0f, -100.0f, 1.0f, {0.55f, 0.55f, 0.55f, 1.0f}},
        {"saturation +50 clamps red and lifts blue",
         0.9f,
         0.5f,
         0.2f,
         0.0f,
         50.0f,
         1.0f,
         {1.0f, 0.46785721f, 0.0f, 1.0f}},
        {"grey takes the hue shift as an absolute hue",
         0.5f,
         0.5f,
         0.5f,
         90.0f,
         100.0f,
         1.0f,
         {0.49999976f, 1.0f, 0.0f, 1.0f}},
        {"near grey moves its largest channel to red",
         0.5f,
         0.500005f,
         0.5f,
         0.0f,
         0.0f,
         1.0f,
         {0.500005f, 0.5f, 0.5f, 1.0f}},
        // Worked step by step in single precision. Lightness 1.25 and S = 3;
        // blue's hue wraps to a tie that rounds to just below 2/3.
        {"lightness above 1", 2.0f, 0.5f, 0.5f, 0.0f, 0.0f, 1.0f, {1.0f, 0.5f, 0.500000358f, 1.0f}},
    };
    for (const AdjustCase& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ExpectSameRgba(AdjustColor(c.r, c.g, c.b, c.hueShift, c.satShift, c.gamma), c.expected);
    }
}

TEST(AdjustColor, GammaAboveOneDarkensToTheListedDigits) {
    // The expected values are listed to five significant digits, so each
    // channel is held to half a unit of the last listed digit.
    const Rgba c = AdjustColor(0.9f, 0.5f, 0.2f, 0.0f, 0.0f, 2.2f);
    EXPECT_NEAR(c.r, 0.79311, 0.5e-5);
    EXPECT_NEAR(c.g, 0.21764, 0.5e-5);
    EXPECT_NEAR(c.b, 0.028991, 0.5e-6);
    EXPECT_SAME_FLOAT(c.a, 1.0f);
}

TEST(AdjustColor, NegativeChannelsBecomeZeroBeforeThePower) {
    // Saturation +50 drives blue to -0.025; squared it would turn positive.
    const Rgba c = AdjustColor(0.9f, 0.5f, 0.2f, 0.0f, 50.0f, 2.0f);
    EXPECT_SAME_FLOAT(c.r, 1.0f);
    EXPECT_SAME_FLOAT(c.b, 0.0f);
}

TEST(AdjustColor, NotANumberChannelsComeOutAsZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const AdjustCase cases[] = {
        {"NaN colour", nan, nan, nan, 0.0f, 0.0f, 1.0f, {0.0f, 0.0f, 0.0f, 1.0f}},
        {"NaN gamma", 0.9f, 0.5f, 0.2f, 0.0f, 0.0f, nan, {0.0f, 0.0f, 0.0f, 1.0f}},
        {"infinite saturation change", 0.9f, 0.5f, 0.2f, 0.0f, INFINITY, 1.0f, {0.0f, 0.0f, 0.0f, 1.0f}},
    };
    for (const AdjustCase& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ExpectSameRgba(AdjustColor(c.r, c.g, c.b, c.hueShift, c.satShift, c.gamma), c.expected);
    }
}

TEST(AdjustColor, EveryInputGivesAColourInUnitRange) {
    test_support::MixedFloats source(0xad105u);
    for (int i = 0; i < 1000000; ++i) {
        const float r = source.Next(0.0f, 1.0f);
        const float g = source.Next(0.0f, 1.0f);
        const float b = source.Next(0.0f, 1.0f);
        const float hue = source.Next(-180.0f, 180.0f);
        const float sat = source.Next(-100.0f, 100.0f);
        const float gamma = source.Next(0.05f, 20.0f);
        const Rgba c = AdjustColor(r, g, b, hue, sat, gamma);
        ASSERT_TRUE(test_support::IsValidSampleColor(c))
            << "from (" << Describe(r) << ", " << Describe(g) << ", " << Describe(b) << ") hue " << Describe(hue)
            << " sat " << Describe(sat) << " gamma " << Describe(gamma);
    }
}

struct HueCase {
    float t;
    float expected;
};

TEST(HueToChannel, MatchesReferenceValuesBitForBit) {
    const HueCase cases[] = {
        {0.1f, 0.62f},        // rising sextant
        {0.3f, 0.9f},         // plateau at q
        {0.5f, 0.9f},         // 0.5 already takes the double-precision branch
        {0.6f, 0.47999990f},  // falling, in double precision
        {0.7f, 0.2f},         // floor at p
        {1.1f, 0.62000006f},  // wrapped to 0.1
        {-0.2f, 0.2f},        // wrapped to 0.8
    };
    for (const HueCase& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_SAME_FLOAT(HueToChannel(0.2f, 0.9f, c.t), c.expected);
    }
}

struct WrapCase {
    const char* what;
    float v, lo, hi;
    float expected;
};

TEST(WrapToRange, MatchesReferenceValuesBitForBit) {
    const float inf = std::numeric_limits<float>::infinity();
    const WrapCase cases[] = {
        {"above", 725.0f, 0.0f, 360.0f, 5.0f},
        {"below", -725.0f, 0.0f, 360.0f, 355.0f},
        {"rounds up to the upper bound", -1e-10f, 0.0f, 360.0f, 360.0f},
        {"unit range", 1.3333334f, 0.0f, 1.0f, 0.33333337f},
        {"+infinity gives the lower bound", inf, 0.0f, 360.0f, 0.0f},
        {"-infinity gives the lower bound", -inf, 0.25f, 1.0f, 0.25f},
        {"lo > hi leaves the value", 725.0f, 360.0f, 0.0f, 725.0f},
        {"inside stays bit-identical", -0.0f, 0.0f, 360.0f, -0.0f},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_SAME_FLOAT(WrapToRange(c.v, c.lo, c.hi), c.expected);
    }
}

TEST(WrapToRange, NotANumberComesBackUnchanged) {
    const float payload = FloatFromBits(0x7fc12345u);
    EXPECT_SAME_FLOAT(WrapToRange(payload, 0.0f, 360.0f), payload);
    EXPECT_SAME_FLOAT(WrapToRange(-payload, 0.0f, 1.0f), -payload);
}

}  // namespace
}  // namespace aurivel
