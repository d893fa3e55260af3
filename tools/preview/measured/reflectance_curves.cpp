#include "measured/reflectance_curves.h"

#include "exact_fresnel/exact_fresnel.h"
#include "host/maxscript.h"
#include "metal_colour/channel_wavelengths.h"
#include "utf/utf.h"

namespace aurivel::preview {
namespace {

// As the scripts write the value ("1.0118503e-6"), so that a title and a
// script agree digit for digit.
std::wstring WideScriptNumber(float v) {
    const std::string digits = MaxScriptNumber(v);
    return std::wstring(digits.begin(), digits.end());
}

// "R 0.650 µm" for values at the channel's wavelength, "R fitted" for the
// fit's, which stand for the whole band.
std::wstring ChannelName(std::size_t channel, ConstantsSource source) {
    return source == ConstantsSource::kSpectralFit ? std::wstring(1, L"RGB"[channel]) + L" fitted"
                                                   : utf::WideFromUtf8(metal_colour::ChannelLabel(channel)) + L" \u00b5m";
}

}  // namespace

std::vector<PlotCurve> MapCurves(PreviewMap& map, int time, ConstantsSource source) {
    const OpticalConstants constants = map.Constants(time);
    map.Update(time);
    const std::unique_ptr<SampleShader> shader = map.Shaders()();
    const Rgb colours[3] = {{0.80f, 0.02f, 0.02f}, {0.02f, 0.50f, 0.02f}, {0.02f, 0.08f, 0.85f}};
    const Rgb lighter[3] = {{0.95f, 0.45f, 0.45f}, {0.45f, 0.80f, 0.45f}, {0.45f, 0.55f, 0.98f}};
    std::vector<PlotCurve> curves;
    for (std::size_t c = 0; c < 3; ++c) {
        curves.push_back({ChannelName(c, source) + L" map", colours[c], false, {}});
    }
    for (std::size_t c = 0; c < 3; ++c) {
        curves.push_back({ChannelName(c, source) + L" exact", lighter[c], true, {}});
    }
    for (double angle : PlotAngles(kPlotSamples)) {
        const SphereSample sample = SampleAtViewAngle(angle);
        const Rgb mapped = shader->Shade(sample);
        const Rgba exact = reference::ExactConductorReflectanceRGB(-sample.view.z, constants);
        const float mapValues[3] = {mapped.r, mapped.g, mapped.b};
        const float exactValues[3] = {exact.r, exact.g, exact.b};
        for (std::size_t c = 0; c < 3; ++c) {
            curves[c].values.push_back(mapValues[c]);
            curves[c + 3].values.push_back(exactValues[c]);
        }
    }
    return curves;
}

std::wstring ValuesTitle(const std::wstring& name, const OpticalConstants& c) {
    return name + L":  n = " + WideScriptNumber(c.nr) + L" " + WideScriptNumber(c.ng) + L" " + WideScriptNumber(c.nb) + L"   k = " +
           WideScriptNumber(c.kr) + L" " + WideScriptNumber(c.kg) + L" " + WideScriptNumber(c.kb);
}

}  // namespace aurivel::preview
