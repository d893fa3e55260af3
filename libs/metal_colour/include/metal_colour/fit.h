// The map's six constants for a measured metal, fitted so that each channel's
// closed-form reflectance follows the metal's spectrally integrated colour
// over the view angle, and constants judged against that colour.
#pragma once

#include <array>
#include <vector>

#include "metal_spectrum.h"
#include "shading/shading_types.h"

namespace aurivel::metal_colour {

// The view angles (degrees from head-on) at which fits are judged.
inline constexpr std::array<double, 5> kReportAngles{0.0, 30.0, 60.0, 75.0, 85.0};

// Each channel's n >= 0 and k >= 0 (within the map's range, kOpticalConstantHigh at most) whose
// closed-form reflectance follows the channel of the integrated colour over
// the view angle.
OpticalConstants FitConstants(const SpectralColour& truth);

struct AngleJudgement {
    double degrees = 0.0;
    LinearRgb truth;
    bool inGamut = true;  // whether the integrated colour lies inside the rendering space
    double sampledDeltaE = 0.0;
    double fittedDeltaE = 0.0;
};

struct FitReport {
    OpticalConstants sampled{};
    OpticalConstants fitted{};
    std::vector<AngleJudgement> angles;  // at kReportAngles

    // The largest of sampledDeltaE or fittedDeltaE over the angles.
    double Largest(double AngleJudgement::*deltaE) const;
    // Whether the fit comes within kFitGoal at every angle where the
    // integrated colour lies inside the rendering space.
    bool MeetsGoal() const;
};

// The largest ΔE2000 a fit should leave where the colour is in gamut.
inline constexpr double kFitGoal = 0.2;

// ΔE2000 between the map (computed as the map computes it, with its default
// hue, saturation and gamma) and the integrated colour at kReportAngles.
FitReport JudgeFit(const SpectralColour& truth, const OpticalConstants& sampled, const OpticalConstants& fitted);

// The fit to the measured data's integrated colour, judged against that
// colour beside the data's values at the channel wavelengths.
FitReport FitMeasured(const nkdata::NkData& data, const SpectralColour& truth);

}  // namespace aurivel::metal_colour
