#include "metal_colour/metal_spectrum.h"

#include <cmath>
#include <utility>

#include "nkdata/nk_error.h"

namespace aurivel::metal_colour {
namespace {

double ValueAt(const nkdata::NkData& data, const nkdata::OpticalFunction& f, const char* what, double micrometres) {
    const double v = f.at(micrometres);
    if (!std::isfinite(v) || v < 0.0) {
        nkdata::Fail(data.source, 0,
                     std::string(what) + " at " + nkdata::Decimal(micrometres) + " \xc2\xb5m is " + nkdata::Decimal(v) +
                         "; it must be finite and not negative");
    }
    return v;
}

}  // namespace

std::string VisibleRangeName() {
    return std::to_string(kShortestNanometres) + "-" + std::to_string(kLongestNanometres) + " nm";
}

void RequireMetalColour(const nkdata::NkData& data) {
    nkdata::RequireCoverage(data, kVisibleRange);
    for (int band = 0; band < kBands; ++band) {
        if (data.k.at(BandMicrometres(band)) > 0.0) {
            return;
        }
    }
    nkdata::Fail(data.source, 0,
                 "k is 0 over all of " + VisibleRangeName() + ": the data give no absorption, so no metal's colour");
}

MetalSpectrum::MetalSpectrum(const nkdata::NkData& data) {
    nkdata::RequireCoverage(data, kVisibleRange);
    for (int band = 0; band < kBands; ++band) {
        const double micrometres = BandMicrometres(band);
        const reference::Complex<double> eta{ValueAt(data, data.n, "n", micrometres),
                                             ValueAt(data, data.k, "k", micrometres)};
        if (eta.re == 0.0 && eta.im == 0.0) {
            nkdata::Fail(data.source, 0, "n and k are both 0 at " + nkdata::Decimal(micrometres) + " \xc2\xb5m");
        }
        eta_[static_cast<std::size_t>(band)] = eta;
    }
}

Spectrum MetalSpectrum::Reflectance(double cosine) const {
    Spectrum r{};
    for (std::size_t band = 0; band < r.size(); ++band) {
        r[band] = reference::ExactConductorReflectance(eta_[band].re, eta_[band].im, cosine);
    }
    return r;
}

SpectralColour::SpectralColour(MetalSpectrum metal, Observer observer, RenderingSpace space)
    : metal_(std::move(metal)), observer_(std::move(observer)), space_(std::move(space)) {}

LinearRgb SpectralColour::At(double cosine) const {
    return space_.FromXyz(observer_.ColourOf(metal_.Reflectance(cosine)));
}

LinearRgb SpectralColour::AtViewAngle(double degrees) const { return At(CosineOfDegrees(degrees)); }

SpectralColour IntegratedColour(const nkdata::NkData& data, const Observer& observer, RenderingSpaceId space) {
    return SpectralColour(MetalSpectrum(data), observer, RenderingSpace(space, observer.White()));
}

double Radians(double degrees) { return degrees * (3.14159265358979323846 / 180.0); }

double CosineOfDegrees(double degrees) { return std::cos(Radians(degrees)); }

}  // namespace aurivel::metal_colour
