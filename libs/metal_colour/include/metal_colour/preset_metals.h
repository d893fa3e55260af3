// The measured data of the ten metals that the map's presets name, in the
// presets' order: one page of the refractiveindex.info database each, as
// data/refractiveindex.info holds them. presets/preset_table.h says which
// preset rows are these data at the channel wavelengths.
#pragma once

#include <array>

#include "metal_library.h"

namespace aurivel::metal_colour {

// Named as the preset list names them.
inline constexpr std::array<MetalPage, 10> kPresetMetals{{
    {"Silver", "main/Ag/Johnson"},
    {"Aluminium", "main/Al/Rakic"},
    {"Gold", "main/Au/Johnson"},
    {"Cobalt", "main/Co/Johnson"},
    {"Chromium", "main/Cr/Johnson"},
    {"Copper", "main/Cu/Johnson"},
    {"Iron", "main/Fe/Johnson"},
    {"Nickel", "main/Ni/Johnson"},
    {"Platinum", "main/Pt/Rakic-BB"},
    {"Titanium", "main/Ti/Johnson"},
}};

}  // namespace aurivel::metal_colour
