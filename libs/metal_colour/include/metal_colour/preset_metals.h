// The measured data of the ten metals that the map's presets name, in the
// presets' order: the page of the refractiveindex.info database that each
// preset row names, as data/refractiveindex.info holds them.
#pragma once

#include <array>
#include <cstddef>

#include "presets/preset_table.h"

namespace aurivel::metal_colour {

struct MetalPage {
    const char* name;  // as the preset list names it
    const char* page;  // shelf/book/page in the database
};

constexpr std::array<MetalPage, kPresets.size()> MeasuredPagesOf(const std::array<Preset, kPresets.size()>& presets) {
    std::array<MetalPage, kPresets.size()> pages{};
    for (std::size_t i = 0; i < presets.size(); ++i) {
        pages[i] = {presets[i].name, presets[i].measuredPage};
    }
    return pages;
}

// Named as the preset list names them.
inline constexpr std::array<MetalPage, kPresets.size()> kPresetMetals = MeasuredPagesOf(kPresets);

}  // namespace aurivel::metal_colour
