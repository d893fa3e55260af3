// The wavelengths that the map's three channels stand for, and measured n
// and k sampled there: the map's constants without the spectral fit.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "nkdata/nk_data.h"
#include "shading/shading_types.h"

namespace aurivel::metal_colour {

inline constexpr nkdata::WavelengthRange kChannelSpan{kChannelWavelengths[2], kChannelWavelengths[0]};

// A channel's wavelength in µm with the rollout's three decimals, "0.650";
// its label is that after the channel's letter, "R 0.650".
std::string ChannelMicrometres(std::size_t channel);
std::string ChannelLabel(std::size_t channel);

// The function at the red, green and blue wavelengths, in that order; its
// range must hold them (nkdata::RequireCoverage with kChannelSpan).
std::array<float, 3> ChannelValues(const nkdata::OpticalFunction& function);

// n and k at the channel wavelengths; DataError when the data do not cover
// them.
OpticalConstants ThreeWavelengthConstants(const nkdata::NkData& data);

}  // namespace aurivel::metal_colour
