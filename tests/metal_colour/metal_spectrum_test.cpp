#include "metal_colour/metal_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exact_fresnel/exact_fresnel.h"
#include "nkdata/nk_error.h"
#include "synthetic_metal.h"

namespace aurivel::metal_colour {
namespace {

constexpr double kPi = 3.14159265358979323846;

double NormalIncidence(double n, double k) { return ((n - 1) * (n - 1) + k * k) / ((n + 1) * (n + 1) + k * k); }

TEST(ExactFresnelTest, MatchesTextbookValuesAndTheSinglePrecisionReference) {
    EXPECT_NEAR(reference::ExactConductorReflectance(0.2, 3.5, 1.0), NormalIncidence(0.2, 3.5), 1e-15);
    EXPECT_NEAR(reference::ExactConductorReflectance(1.5, 0.0, 1.0), 0.04, 1e-15);
    EXPECT_NEAR(reference::ExactConductorReflectance(0.3, 2.9, 0.0), 1.0, 1e-15);
    // Glass at Brewster's angle reflects no p light: R = Rs / 2 = sin²(θi − θt) / 2.
    const double incident = std::atan(1.5);
    const double transmitted = kPi / 2.0 - incident;
    EXPECT_NEAR(reference::ExactConductorReflectance(1.5, 0.0, std::cos(incident)),
                0.5 * std::pow(std::sin(incident - transmitted), 2), 1e-15);
    for (const double cosine : {0.9, 0.5, 0.1}) {
        EXPECT_NEAR(reference::ExactConductorReflectance(1.1, 2.6, cosine),
                    reference::ExactConductorReflectance(1.1f, 2.6f, static_cast<float>(cosine)), 2e-6)
            << cosine;
    }
}

TEST(MetalSpectrumTest, AFlatSpectrumIsGreyOfItsReflectanceInBothSpaces) {
    const Observer observer = Observer::Cie1931D65();
    for (const RenderingSpaceId id : {RenderingSpaceId::kSrgb, RenderingSpaceId::kAcescg}) {
        const SpectralColour colour(MetalSpectrum(ConstantMetal(0.4, 2.8)), observer,
                                    RenderingSpace(id, observer.White()));
        for (const double degrees : {0.0, 45.0, 80.0}) {
            const double expected = reference::ExactConductorReflectance(0.4, 2.8, CosineOfDegrees(degrees));
            const LinearRgb rgb = colour.AtViewAngle(degrees);
            EXPECT_NEAR(rgb.r, expected, 1e-12) << degrees;
            EXPECT_NEAR(rgb.g, expected, 1e-12) << degrees;
            EXPECT_NEAR(rgb.b, expected, 1e-12) << degrees;
        }
    }
}

TEST(MetalSpectrumTest, DataThatCannotGiveTheSpectrumAreRejectedNamingTheSource) {
    struct Case {
        const char* what;
        nkdata::NkData data;
        const char* message;
    };
    nkdata::NkData shortN = ConstantMetal(1.0, 2.0);
    shortN.n.range = {0.4, 0.8};
    nkdata::NkData shortK = ConstantMetal(1.0, 2.0);
    shortK.k.range = {0.3, 0.7};
    const Case cases[] = {
        {"n from 0.4", shortN, "metal.yml: the data give n from 0.4 to 0.8 \xc2\xb5m, not over all of 0.38 to 0.78"},
        {"k to 0.7", shortK, "metal.yml: the data give k from 0.3 to 0.7 \xc2\xb5m, not over all of 0.38 to 0.78"},
        {"negative k", ConstantMetal(1.0, -0.5), "metal.yml: k at 0.38 \xc2\xb5m is -0.5; it must be finite and not"},
        {"infinite n", ConstantMetal(INFINITY, 1.0), "metal.yml: n at 0.38 \xc2\xb5m is inf"},
        {"vacuum", ConstantMetal(0.0, 0.0), "metal.yml: n and k are both 0 at 0.38 \xc2\xb5m"},
    };
    for (const Case& c : cases) {
        try {
            MetalSpectrum spectrum(c.data);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const nkdata::DataError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace aurivel::metal_colour
