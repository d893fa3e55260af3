#include "metal_colour/material_models.h"

#include <gtest/gtest.h>

#include <cmath>

#include "synthetic_metal.h"

namespace aurivel::metal_colour {
namespace {

// Derived by hand from r = ((n - 1)² + k²) / ((n + 1)² + k²):
// r = 1/4 gives n_min = 0.6 and n_max = 3, r = 1/2 gives n_min = 1/3.
struct EdgeTintCase {
    const char* what;
    double n, k;
    double tint;  // unclamped
    float shown;  // as the atlas gives it
    bool clamped;
};

TEST(MaterialModelsTest, EdgeTintFollowsGulbrandsen) {
    const EdgeTintCase cases[] = {
        {"a dielectric at n_max", 3.0, 0.0, 0.0, 0.0f, false},
        {"halfway, r = 1/4", 1.8, std::sqrt(1.76), 0.5, 0.5f, false},
        {"at n_min, r = 1/2", 1.0 / 3.0, std::sqrt(8.0) / 3.0, 1.0, 1.0f, false},
        {"below n_min, r = 1/4", 0.4, std::sqrt(0.52 / 3.0), 13.0 / 12.0, 1.0f, true},
        {"a perfect reflector", 0.0, 5.0, 1.0, 1.0f, false},
    };
    for (const EdgeTintCase& c : cases) {
        EXPECT_NEAR(EdgeTint(c.n, c.k), c.tint, 1e-12) << c.what;
        const float n = static_cast<float>(c.n);
        const float k = static_cast<float>(c.k);
        const ClampedRgb tints = EdgeTints({n, n, n, k, k, k});
        EXPECT_NEAR(tints.value[1], c.shown, 1e-6) << c.what;
        EXPECT_EQ(tints.clamped[2], c.clamped) << c.what;
    }
}

TEST(MaterialModelsTest, F0AndF82ComeFromTheMetalAndTheEdgeTintFromTheFit) {
    // A flat spectrum of r = 1/4 at normal incidence, and constants of
    // r = 1/2 standing in for a fit that missed it.
    const Observer observer = Observer::Cie1931D65();
    const SpectralColour metal(MetalSpectrum(ConstantMetal(1.8, std::sqrt(1.76))), observer,
                               RenderingSpace(RenderingSpaceId::kSrgb, observer.White()));
    const float n = 1.0f / 3.0f;
    const float k = std::sqrt(8.0f) / 3.0f;
    const MaterialModelValues values = ValuesForMaterialModels(metal, {n, n, n, k, k, k});
    const double atF82 = metal.At(kF82Cosine).g;
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(values.baseColour.value[c], 0.25, 1e-5) << c;
        EXPECT_NEAR(values.edgeTint.value[c], 1.0, 1e-5) << c;
        EXPECT_NEAR(values.f82Tint.value[c], atF82 / SchlickReflectance(0.25, kF82Cosine), 1e-5) << c;
    }
    EXPECT_EQ(values.baseColour.clamped, (std::array<bool, 3>{false, false, false}));
}

TEST(MaterialModelsTest, F82TintDividesBySchlickAtOneSeventh) {
    // (1 - 1/7)⁵ = 7776 / 16807.
    const double weight = 7776.0 / 16807.0;
    const ClampedRgb tints = F82Tints({0.2f, 1.0f, 0.5f}, {0.5, 0.9, 0.8 * (0.5 + 0.5 * weight)});
    EXPECT_NEAR(tints.value[0], 0.5 / (0.2 + 0.8 * weight), 1e-6);
    EXPECT_NEAR(tints.value[1], 0.9, 1e-6);
    EXPECT_NEAR(tints.value[2], 0.8, 1e-6);
    EXPECT_EQ(tints.clamped, (std::array<bool, 3>{false, false, false}));

    // The integrated colour may lie outside the gamut: above 1, or below 0.
    const ClampedRgb outside = F82Tints({1.0f, 0.5f, 0.5f}, {1.05, -0.01, 0.5});
    EXPECT_EQ(outside.value, (std::array<float, 3>{1.0f, 0.0f, outside.value[2]}));
    EXPECT_EQ(outside.clamped, (std::array<bool, 3>{true, true, false}));
}

}  // namespace
}  // namespace aurivel::metal_colour
