// A metal's reflectance spectrum from its measured n and k: the exact Fresnel
// reflectance of a conductor at every band, and the colour it gives.
#pragma once

#include <string>

#include "exact_fresnel/exact_fresnel.h"
#include "nkdata/nk_data.h"
#include "observer.h"
#include "rendering_space.h"

namespace aurivel::metal_colour {

// The wavelengths the observer sees, in micrometres as optical data give them.
inline constexpr nkdata::WavelengthRange kVisibleRange{kShortestNanometres / 1000.0, kLongestNanometres / 1000.0};

// The visible range as messages name it: "380-780 nm".
std::string VisibleRangeName();

// Throws nkdata::DataError naming the data's source when the data cannot
// give a metal's colour: they do not cover the visible range, or give no k
// there.
void RequireMetalColour(const nkdata::NkData& data);

class MetalSpectrum {
public:
    // Samples n and k at every band. Throws nkdata::DataError naming the
    // data's source when n or k does not cover kVisibleRange or gives a
    // negative, non-finite or zero index there.
    explicit MetalSpectrum(const nkdata::NkData& data);

    Spectrum Reflectance(double cosine) const;

private:
    std::array<reference::Complex<double>, kBands> eta_;
};

// The colour of the spectrum's reflection at a cosine, in a rendering space.
class SpectralColour {
public:
    SpectralColour(MetalSpectrum metal, Observer observer, RenderingSpace space);

    LinearRgb At(double cosine) const;
    LinearRgb AtViewAngle(double degrees) const;
    const RenderingSpace& Space() const { return space_; }

private:
    MetalSpectrum metal_;
    Observer observer_;
    RenderingSpace space_;
};

// The colour of the data's reflection in a rendering space seen from the
// observer's white.
SpectralColour IntegratedColour(const nkdata::NkData& data, const Observer& observer, RenderingSpaceId space);

double Radians(double degrees);
double CosineOfDegrees(double degrees);

}  // namespace aurivel::metal_colour
