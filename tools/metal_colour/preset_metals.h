// The measured data of the ten metals that the map's presets name, in the
// presets' order: one page of the refractiveindex.info database each, as
// data/refractiveindex.info holds them. presets/preset_table.h says which
// preset rows are these data at the channel wavelengths.
#pragma once

#include <array>

namespace aurivel::spectral {

struct PresetMetal {
    const char* name;  // as the presets call it, in lower case
    const char* page;  // shelf/book/page in the database
};

inline constexpr std::array<PresetMetal, 10> kPresetMetals{{
    {"silver", "main/Ag/Johnson"},
    {"aluminium", "main/Al/Rakic"},
    {"gold", "main/Au/Johnson"},
    {"cobalt", "main/Co/Johnson"},
    {"chromium", "main/Cr/Johnson"},
    {"copper", "main/Cu/Johnson"},
    {"iron", "main/Fe/Johnson"},
    {"nickel", "main/Ni/Johnson"},
    {"platinum", "main/Pt/Werner"},
    {"titanium", "main/Ti/Johnson"},
}};

}  // namespace aurivel::spectral
