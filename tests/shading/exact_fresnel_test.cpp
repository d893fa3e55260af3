#include "exact_fresnel/exact_fresnel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "presets/preset_table.h"
#include "shading/conductor_fresnel.h"

namespace aurivel::reference {
namespace {

// Textbook dielectric Fresnel equations with real angles, in double.
double DielectricReflectance(double n, double cosine) {
    const double sinIncident = std::sqrt(1.0 - cosine * cosine);
    const double cosTransmitted = std::sqrt(1.0 - (sinIncident / n) * (sinIncident / n));
    const double rs = (cosine - n * cosTransmitted) / (cosine + n * cosTransmitted);
    const double rp = (n * cosine - cosTransmitted) / (n * cosine + cosTransmitted);
    return (rs * rs + rp * rp) / 2.0;
}

// Born and Wolf's real-valued form for an absorbing medium, in double: a
// derivation independent of complex arithmetic. Needs a cosine above 0.
double AbsorbingReflectance(double n, double k, double cosine) {
    const double sin2 = 1.0 - cosine * cosine;
    const double sinTan = sin2 / cosine;
    const double re = n * n - k * k - sin2;
    const double sumSquares = std::sqrt(re * re + 4.0 * n * n * k * k);
    const double a = std::sqrt(0.5 * (sumSquares + re));
    const double rs =
        (sumSquares - 2.0 * a * cosine + cosine * cosine) / (sumSquares + 2.0 * a * cosine + cosine * cosine);
    const double rp =
        rs * (sumSquares - 2.0 * a * sinTan + sinTan * sinTan) / (sumSquares + 2.0 * a * sinTan + sinTan * sinTan);
    return (rs + rp) / 2.0;
}

double NormalIncidenceReflectance(double n, double k) {
    return ((n - 1.0) * (n - 1.0) + k * k) / ((n + 1.0) * (n + 1.0) + k * k);
}

constexpr int kCosineSteps = 1000;

TEST(ComplexSqrt, TakesThePrincipalRootOnEverySide) {
    const struct {
        ComplexF z, root;
    } cases[] = {
        {{4.0f, 0.0f}, {2.0f, 0.0f}},    {{-4.0f, 0.0f}, {0.0f, 2.0f}},  {{-4.0f, -0.0f}, {0.0f, -2.0f}},
        {{3.0f, 4.0f}, {2.0f, 1.0f}},    {{3.0f, -4.0f}, {2.0f, -1.0f}}, {{-3.0f, 4.0f}, {1.0f, 2.0f}},
        {{-3.0f, -4.0f}, {1.0f, -2.0f}}, {{0.0f, 0.0f}, {0.0f, 0.0f}},
    };
    for (const auto& c : cases) {
        const ComplexF root = Sqrt(c.z);
        EXPECT_EQ(root.re, c.root.re) << c.z.re << " + " << c.z.im << "i";
        EXPECT_EQ(root.im, c.root.im) << c.z.re << " + " << c.z.im << "i";
        EXPECT_EQ(std::signbit(root.im), std::signbit(c.root.im)) << c.z.re << " + " << c.z.im << "i";
    }
}

TEST(ExactConductorReflectance, WithoutAbsorptionMatchesTheDielectricEquations) {
    for (double n : {1.2, 1.5, 2.0, 2.5, 4.0}) {
        const double brewster = 1.0 / std::sqrt(1.0 + n * n);
        EXPECT_NEAR(ExactConductorReflectance(static_cast<float>(n), 0.0f, static_cast<float>(brewster)),
                    DielectricReflectance(n, brewster), 2e-6)
            << "n " << n << " at Brewster's angle";
        for (int i = 0; i <= kCosineSteps; ++i) {
            const float cosine = static_cast<float>(i) / kCosineSteps;
            ASSERT_NEAR(ExactConductorReflectance(static_cast<float>(n), 0.0f, cosine),
                        DielectricReflectance(n, cosine), 2e-6)
                << "n " << n << " cosine " << cosine;
        }
    }
}

TEST(ExactConductorReflectance, MatchesTheRealValuedAbsorbingForm) {
    for (const OpticalConstants& row : kPresetRows) {
        const float ns[] = {row.nr, row.ng, row.nb};
        const float ks[] = {row.kr, row.kg, row.kb};
        for (int channel = 0; channel < 3; ++channel) {
            for (int i = 1; i <= kCosineSteps; ++i) {
                const float cosine = static_cast<float>(i) / kCosineSteps;
                ASSERT_NEAR(ExactConductorReflectance(ns[channel], ks[channel], cosine),
                            AbsorbingReflectance(ns[channel], ks[channel], cosine), 1e-5)
                    << "n " << ns[channel] << " k " << ks[channel] << " cosine " << cosine;
            }
        }
    }
}

TEST(ExactConductorReflectanceRGB, AtNormalIncidenceEachChannelHasTheClosedForm) {
    // At normal incidence the closed form of the map is exact too.
    for (const OpticalConstants& row : kPresetRows) {
        const Rgba exact = ExactConductorReflectanceRGB(1.0f, row);
        const Rgba mapped = ConductorReflectanceRGB(1.0f, row);
        const double expected[] = {NormalIncidenceReflectance(row.nr, row.kr),
                                   NormalIncidenceReflectance(row.ng, row.kg),
                                   NormalIncidenceReflectance(row.nb, row.kb)};
        const float exactChannels[] = {exact.r, exact.g, exact.b};
        const float mappedChannels[] = {mapped.r, mapped.g, mapped.b};
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(exactChannels[channel], expected[channel], 1e-6) << "channel " << channel;
            EXPECT_NEAR(mappedChannels[channel], expected[channel], 1e-6) << "channel " << channel;
        }
        EXPECT_EQ(exact.a, 1.0f);
    }
}

// The closed form's documented bound: within 0.007 of the exact reflectance
// (in double, far finer than the bound) for each preset metal and channel, at
// evenly spaced cosines fine enough to resolve its peak between 0.1 and 0.35.
TEST(ConductorReflectance, StaysWithinItsDocumentedBoundOfTheExactForm) {
    constexpr double kBound = 0.007;
    constexpr int kSteps = 10000;
    for (const OpticalConstants& row : kPresetRows) {
        const float ns[] = {row.nr, row.ng, row.nb};
        const float ks[] = {row.kr, row.kg, row.kb};
        for (int channel = 0; channel < 3; ++channel) {
            double largest = 0.0;
            float at = 0.0f;
            for (int i = 0; i <= kSteps; ++i) {
                const float cosine = static_cast<float>(i) / kSteps;
                const double exact = ExactConductorReflectance<double>(ns[channel], ks[channel], cosine);
                const double difference = std::fabs(exact - ConductorReflectance(ns[channel], ks[channel], cosine));
                if (difference > largest) {
                    largest = difference;
                    at = cosine;
                }
            }
            EXPECT_LE(largest, kBound) << "n " << ns[channel] << " k " << ks[channel] << " at cosine " << at;
        }
    }
}

TEST(ExactConductorReflectance, ReachesOneAtGrazingIncidence) {
    for (const OpticalConstants& row : kPresetRows) {
        const float ns[] = {row.nr, row.ng, row.nb};
        const float ks[] = {row.kr, row.kg, row.kb};
        for (int channel = 0; channel < 3; ++channel) {
            SCOPED_TRACE(::testing::Message() << "n " << ns[channel] << " k " << ks[channel]);
            EXPECT_NEAR(ExactConductorReflectance(ns[channel], ks[channel], 0.0f), 1.0f, 1e-6);
            // Past the principal angle the reflectance rises towards 1.
            const float nearGrazing = ExactConductorReflectance(ns[channel], ks[channel], 1e-3f);
            EXPECT_LT(nearGrazing, 1.0f);
            EXPECT_GT(nearGrazing, ExactConductorReflectance(ns[channel], ks[channel], 1e-2f));
        }
    }
}

}  // namespace
}  // namespace aurivel::reference
