// n and k data sampled at the wavelengths that the map's channels stand for.
#pragma once

#include <array>

#include "nk_data.h"

namespace aurivel::preview {

// The wavelengths (µm) that the map's red, green and blue channels stand for.
inline constexpr std::array<double, 3> kChannelWavelengths{0.650, 0.510, 0.475};
inline constexpr nkdata::WavelengthRange kChannelSpan{0.475, 0.650};

// The function at the red, green and blue wavelengths, in that order; its
// range must hold them (nkdata::RequireCoverage with kChannelSpan).
std::array<float, 3> ChannelValues(const nkdata::OpticalFunction& function);

}  // namespace aurivel::preview
