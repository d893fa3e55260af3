#include "metal_colour/fit.h"

#include <gtest/gtest.h>

#include "synthetic_metal.h"

namespace aurivel::metal_colour {
namespace {

const Observer& Colord() {
    static const Observer observer = Observer::Cie1931D65();
    return observer;
}

SpectralColour Truth(const nkdata::NkData& data, RenderingSpaceId id) {
    return SpectralColour(MetalSpectrum(data), Colord(), RenderingSpace(id, Colord().White()));
}

TEST(FitTest, AFlatSpectrumGetsItsOwnConstantsBackOrBetterOnes) {
    // The closed form departs a little from the exact reflectance between
    // head-on and grazing, so the best constants lie near the metal's own,
    // and match its colour at least as well; a grey spectrum gives three
    // equal channels.
    struct Case {
        double n, k;
    };
    for (const Case c : {Case{0.05, 4.0}, Case{0.2, 3.5}, Case{1.5, 1.5}, Case{3.0, 4.0}}) {
        for (const RenderingSpaceId id : {RenderingSpaceId::kSrgb, RenderingSpaceId::kAcescg}) {
            const SpectralColour truth = Truth(ConstantMetal(c.n, c.k), id);
            const OpticalConstants fitted = FitConstants(truth);
            const float n = static_cast<float>(c.n);
            const float k = static_cast<float>(c.k);
            const FitReport report = JudgeFit(truth, {n, n, n, k, k, k}, fitted);
            const std::string name = std::to_string(c.n) + " + " + std::to_string(c.k) + "i in " + truth.Space().Name();
            EXPECT_LT(report.Largest(&AngleJudgement::fittedDeltaE), report.Largest(&AngleJudgement::sampledDeltaE))
                << name;
            for (const float channel : {fitted.nr, fitted.ng, fitted.nb}) {
                EXPECT_NEAR(channel, c.n, 0.08 * c.n) << name;
                EXPECT_NEAR(channel, fitted.nr, 1e-3 * c.n) << name;
            }
            for (const float channel : {fitted.kr, fitted.kg, fitted.kb}) {
                EXPECT_NEAR(channel, c.k, 0.08 * c.k) << name;
                EXPECT_NEAR(channel, fitted.kr, 1e-3 * c.k) << name;
            }
        }
    }
}

}  // namespace
}  // namespace aurivel::metal_colour
