#include "metal_colour/channel_wavelengths.h"

#include <algorithm>
#include <cstdio>

namespace aurivel::metal_colour {

std::string ChannelMicrometres(std::size_t channel) {
    char text[16];
    std::snprintf(text, sizeof text, "%.3f", kChannelWavelengths[channel]);
    return text;
}

std::string ChannelLabel(std::size_t channel) { return "RGB"[channel] + (" " + ChannelMicrometres(channel)); }

std::array<float, 3> ChannelValues(const nkdata::OpticalFunction& function) {
    std::array<float, 3> values{};
    std::transform(kChannelWavelengths.begin(), kChannelWavelengths.end(), values.begin(),
                   [&](double w) { return static_cast<float>(function.at(w)); });
    return values;
}

OpticalConstants ThreeWavelengthConstants(const nkdata::NkData& data) {
    nkdata::RequireCoverage(data, kChannelSpan);
    const std::array<float, 3> n = ChannelValues(data.n);
    const std::array<float, 3> k = ChannelValues(data.k);
    return {n[0], n[1], n[2], k[0], k[1], k[2]};
}

}  // namespace aurivel::metal_colour
