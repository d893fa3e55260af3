// --compare: measured metals, each as three spheres side by side.
#pragma once

#include <ostream>

#include "host.h"
#include "image.h"
#include "options.h"

namespace aurivel::preview {

// For each data file of the options (or each of the ten metal presets'
// pages in the database of --nk-db): the map with n and k sampled at the
// channel wavelengths, the map with the spectral fit, and the spectral
// truth, the maps labelled with their largest ΔE2000. Prints each metal's
// values and ΔE table on out.
Image RenderComparison(const PreviewModule& module, const Options& options, std::ostream& out,
                       std::ostream* progressOut);

}  // namespace aurivel::preview
