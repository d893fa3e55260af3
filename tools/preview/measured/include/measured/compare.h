// --compare: measured metals, each as three spheres side by side.
#pragma once

#include <ostream>

#include "cli/options.h"
#include "host/host.h"
#include "metal_colour/fit.h"
#include "render/font.h"
#include "render/image.h"
#include "render/sheet.h"

namespace aurivel::preview {

// For each data file of the options (or each of the ten metal presets'
// pages in the database of --nk-db): the map with n and k sampled at the
// channel wavelengths, the map with the spectral fit, and the spectral
// truth, the maps labelled with their largest ΔE2000. Prints each metal's
// values and ΔE table on out.
Image RenderComparison(const PreviewModule& module, const Options& options, std::ostream& out,
                       std::ostream* progressOut);

// A metal as three tiles show it: its data's values sampled at the channel
// wavelengths and fitted, judged against the spectral truth.
struct ComparedMetal {
    const nkdata::NkData& data;
    const metal_colour::SpectralColour& truth;
    const metal_colour::FitReport& report;
    std::wstring label;  // under the truth
};

struct TileStyle {
    SampleSphere sphere;
    const Font& font;
    int threads;
    bool lit;
    int time;  // at which the map is updated
};

// Draws the metal's three tiles of the layout from `first` on: the map with
// the sampled values and with the fitted ones, each labelled with its
// largest ΔE2000, and the truth.
void DrawComparedMetal(Image& sheet, const SheetLayout& layout, int first, PreviewMap& map, const ComparedMetal& metal,
                       const TileStyle& style, Progress& progress);

}  // namespace aurivel::preview
