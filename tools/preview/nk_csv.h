// Optical constants n and k against wavelength, as the optical-constants
// database exports them: a "wl,n" section of rows "wavelength,n", then a
// "wl,k" section of rows "wavelength,k", wavelengths in micrometres.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace aurivel::preview {

// The wavelengths (µm) that the map's red, green and blue channels stand for.
inline constexpr std::array<double, 3> kChannelWavelengths{0.650, 0.510, 0.475};

struct NkSample {
    double wavelength;
    double value;
};

struct NkTable {
    std::vector<NkSample> n;  // strictly increasing wavelengths
    std::vector<NkSample> k;
};

// Reads and checks the whole export, within the limits of a data file.
// Throws ToolError with "name:line: why" for anything that would make the
// interpolated constants wrong or missing, and for a file that is not a
// regular file or is past a limit.
NkTable ReadNkCsv(std::string_view text, const std::string& name);
NkTable ReadNkCsvFile(const std::string& path);

// Linear interpolation between the two samples around the wavelength, which
// must lie within the samples' span.
double InterpolateAt(const std::vector<NkSample>& samples, double wavelength);

// The section interpolated at the red, green and blue wavelengths, in that order.
std::array<float, 3> ChannelValues(const std::vector<NkSample>& samples);

}  // namespace aurivel::preview
