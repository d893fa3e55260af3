#include "shading/conductor_fresnel.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "float_checks.h"
#include "presets/preset_table.h"

namespace aurivel {
namespace {

struct ChannelCase {
    const char* what;
    float n, k, cosine;
    float expected;
};

TEST(ConductorReflectance, MatchesReferenceValuesBitForBit) {
    const ChannelCase cases[] = {
        {"index 1 at normal incidence", 1.0f, 0.0f, 1.0f, 0.0f},
        {"index 1 at grazing incidence", 1.0f, 0.0f, 0.0f, 1.0f},
        {"glass at normal incidence", 1.5f, 0.0f, 1.0f, 0.039999999f},
        {"n = 2 where the parallel term vanishes", 2.0f, 0.0f, 0.5f, 0.18f},
        {"absorbing, normal incidence", 0.2f, 3.0f, 1.0f, 0.92337173f},
        {"absorbing, 60 degrees", 0.2f, 3.0f, 0.5f, 0.92112172f},
        {"absorbing, grazing", 0.2f, 3.0f, 0.0f, 1.0f},
        {"vanishing index at 60 degrees", 0.0f, 0.0f, 0.5f, 1.0f},
        // Worked step by step in single precision: associating any of the four
        // sums differently, or forming s * mu^2 for (s * mu) * mu, changes the
        // last bit.
        {"operation order", 0.832f, 3.59f, 0.76f, 0.792895734f},
    };
    for (const ChannelCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_SAME_FLOAT(ConductorReflectance(c.n, c.k, c.cosine), c.expected);
    }
}

TEST(ConductorReflectance, VanishingIndexAtGrazingIncidenceGivesTheGrazingLimit) {
    // Here the perpendicular term would be 0/0; every nearby cosine gives 1.
    const float cosines[] = {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), 1e-30f};
    for (float cosine : cosines) {
        SCOPED_TRACE(test_support::Describe(cosine));
        EXPECT_SAME_FLOAT(ConductorReflectance(0.0f, 0.0f, cosine), 1.0f);
        EXPECT_SAME_FLOAT(ConductorReflectance(-0.0f, -0.0f, cosine), 1.0f);
    }
}

TEST(ConductorReflectance, NegativeIndexSaturatesAtExactlyOne) {
    const ChannelCase cases[] = {
        {"n = -1 at 60 degrees", -1.0f, 0.0f, 0.5f, 1.0f},
        {"n = -0.5 where the perpendicular denominator is 0", -0.5f, 0.0f, 0.5f, 1.0f},
        {"n = -0.2, k = 3 at normal incidence", -0.2f, 3.0f, 1.0f, 1.0f},
        {"n = -3 at 0.3", -3.0f, 0.5f, 0.3f, 1.0f},
    };
    for (const ChannelCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_SAME_FLOAT(ConductorReflectance(c.n, c.k, c.cosine), c.expected);
    }
}

// Mostly uniform in [0, high], sometimes one of the domain's edge values.
float DrawWithEdges(std::mt19937& engine, float high) {
    const float edges[] = {0.0f, std::numeric_limits<float>::denorm_min(), 1e-30f, 1.0f, high};
    const unsigned choice = engine() % 8;
    if (choice < 5) {
        return edges[choice];
    }
    return test_support::UniformFloat(engine, 0.0f, high);
}

TEST(ConductorReflectance, StaysInUnitRangeOverTheParameterDomain) {
    // n and k within the parameter block's [0, 100], the cosine in [0, 1].
    std::mt19937 engine(0x5a17u);
    for (int i = 0; i < 1000000; ++i) {
        const float n = DrawWithEdges(engine, 100.0f);
        const float k = DrawWithEdges(engine, 100.0f);
        const float cosine = DrawWithEdges(engine, 1.0f);
        const float r = ConductorReflectance(n, k, cosine);
        ASSERT_TRUE(test_support::IsUnitChannel(r))
            << "n " << test_support::Describe(n) << " k " << test_support::Describe(k) << " cosine "
            << test_support::Describe(cosine) << " gives " << test_support::Describe(r);
    }
}

struct ColourCase {
    const char* what;
    OpticalConstants ior;
    float cosine;
    Rgba expected;
};

TEST(ConductorReflectanceRGB, MatchesReferenceColoursBitForBit) {
    const OpticalConstants mixed{0.2f, 0.5f, 1.5f, 3.0f, 2.5f, 2.0f};
    const ColourCase cases[] = {
        {"mixed, normal incidence", mixed, 1.0f, {0.92337173f, 0.76470590f, 0.41463414f, 1.0f}},
        {"mixed, cosine 0.8", mixed, 0.8f, {0.92296511f, 0.76501614f, 0.41733336f, 1.0f}},
        {"mixed, cosine 0.5", mixed, 0.5f, {0.92112172f, 0.77103448f, 0.44326925f, 1.0f}},
        {"mixed, grazing", mixed, 0.0f, {1.0f, 1.0f, 1.0f, 1.0f}},
        {"copper, normal incidence", *PresetRow(6), 1.0f, {0.92595220f, 0.58900934f, 0.52098221f, 1.0f}},
        {"copper, cosine 0.5", *PresetRow(6), 0.5f, {0.92047644f, 0.60414481f, 0.53937727f, 1.0f}},
        {"gold, normal incidence", *PresetRow(3), 1.0f, {0.96710223f, 0.57456547f, 0.33350667f, 1.0f}},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ExpectSameRgba(ConductorReflectanceRGB(c.cosine, c.ior), c.expected);
    }
}

}  // namespace
}  // namespace aurivel
