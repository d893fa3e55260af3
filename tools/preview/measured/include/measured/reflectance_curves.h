// The curves of --plot: the map's reflectance against the view angle, the
// exact Fresnel reflectance of its constants and, for measured data, each
// channel's integrated reflectance.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"
#include "metal_colour/fit.h"
#include "render/plot.h"

namespace aurivel::preview {

// Every half degree from head-on to grazing.
inline constexpr int kPlotSamples = 181;

// Where the map's constants come from, which names its curves.
enum class ConstantsSource {
    kChannelWavelengths,  // a preset, or measured data sampled at the channels' wavelengths
    kSpectralFit,         // fitted to measured data's integrated colour
};

// The map's three channels and the exact Fresnel reflectance of its
// constants, after updating the map at that time.
std::vector<PlotCurve> MapCurves(PreviewMap& map, int time, ConstantsSource source);

// "Name:  n = R G B   k = R G B", each value as MaxScriptNumber writes it.
std::wstring ValuesTitle(const std::wstring& name, const OpticalConstants& constants);

}  // namespace aurivel::preview
