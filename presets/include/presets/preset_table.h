#pragma once

#include <array>
#include <cstddef>

#include "shading/shading_types.h"

namespace aurivel {

// The ten metal presets, in preset order 1 to 10. Preset 0 ("Custom") has no
// row. A row carries:
// - name: the preset's name as tools and logs spell it; the module shows the
//   resource script's string for it, which a test holds equal to this name;
// - measuredPage: the refractiveindex.info page (shelf/book/page, as
//   data/refractiveindex.info holds it) of the metal's measured data that
//   the preview compares the row with;
// - source: whether the constants are that page's data at the three
//   wavelengths;
// - constants: n red, n green, n blue, k red, k green, k blue for 0.650,
//   0.510 and 0.475 micrometres.
//
// Where the rows come from: the cobalt, iron and titanium rows are Johnson
// and Christy's data (pages main/Co, Fe and Ti/Johnson) interpolated at the
// three wavelengths and rounded to five significant digits; the platinum row
// is Rakić's Brendel-Bormann model (main/Pt/Rakic-BB) at the three
// wavelengths, within 0.0001. The other six rows are of no recorded source
// and stay as they are, because scenes and artists rely on the colours they
// give; they are not their measured pages sampled at the same wavelengths:
// copper's n green is 0.97907 here and 1.197 in Johnson and Christy's data,
// gold's 0.615 and 0.803. All ten are the map's classic values, kept for
// saved scenes. How far each row's colour is from its measured page's,
// `aurivel-preview --nk-db data/refractiveindex.info --compare` prints (the
// README's table of the presets). A metal's true colour is a measured fit
// (the preview tool's --nk and --atlas).

// kPageData: the constants are the measured page at the three wavelengths;
// kUnrecorded: they are of no recorded source.
enum class RowSource { kUnrecorded, kPageData };

struct Preset {
    const char* name;
    const char* measuredPage;
    RowSource source;
    OpticalConstants constants;
};

inline constexpr const char* kCustomPresetName = "Custom";

inline constexpr std::array<Preset, 10> kPresets = {{
    {"Silver", "main/Ag/Johnson", RowSource::kUnrecorded, {0.049517f, 0.052f, 0.052893f, 4.4114f, 3.2297f, 2.9123f}},
    {"Aluminium", "main/Al/Rakic", RowSource::kUnrecorded, {1.3424f, 0.82373f, 0.70103f, 7.4737f, 5.9741f, 5.5884f}},
    {"Gold", "main/Au/Johnson", RowSource::kUnrecorded, {0.11114f, 0.615f, 1.2865f, 3.5041f, 1.7816f, 1.5789f}},
    {"Cobalt", "main/Co/Johnson", RowSource::kPageData, {2.2371f, 1.9304f, 1.8212f, 4.2357f, 3.6228f, 3.4324f}},
    {"Chromium", "main/Cr/Johnson", RowSource::kUnrecorded, {3.4259f, 2.4904f, 2.219f, 4.2732f, 4.1003f, 3.9736f}},
    {"Copper", "main/Cu/Johnson", RowSource::kUnrecorded, {0.27105f, 0.97907f, 1.2171f, 3.6092f, 2.369f, 2.2908f}},
    {"Iron", "main/Fe/Johnson", RowSource::kPageData, {2.9114f, 2.8072f, 2.6812f, 3.0893f, 2.8968f, 2.8296f}},
    {"Nickel", "main/Ni/Johnson", RowSource::kUnrecorded, {2.0592f, 1.728f, 1.6597f, 3.7574f, 3.0549f, 2.8486f}},
    {"Platinum", "main/Pt/Rakic-BB", RowSource::kPageData, {2.3757f, 1.9839f, 1.902f, 4.2654f, 3.4841f, 3.281f}},
    {"Titanium", "main/Ti/Johnson", RowSource::kPageData, {2.7407f, 2.4048f, 2.3264f, 3.8143f, 3.2516f, 3.1144f}},
}};

// The constants alone, for the shading code and the benches.
constexpr std::array<OpticalConstants, kPresets.size()> ConstantsOf(
    const std::array<Preset, kPresets.size()>& presets) {
    std::array<OpticalConstants, kPresets.size()> rows{};
    for (std::size_t i = 0; i < presets.size(); ++i) {
        rows[i] = presets[i].constants;
    }
    return rows;
}
inline constexpr std::array<OpticalConstants, kPresets.size()> kPresetRows = ConstantsOf(kPresets);

// A new map is copper: the declared default of the preset, and its row the
// declared defaults of the six constants, so that a new block agrees with its
// preset.
inline constexpr int kDefaultPreset = 6;
inline constexpr const OpticalConstants& kDefaultPresetRow = kPresetRows[kDefaultPreset - 1];

// The row of a preset value, or nullptr for "Custom" and any value without a row.
constexpr const OpticalConstants* PresetRow(int presetIndex) {
    if (presetIndex < 1 || presetIndex > static_cast<int>(kPresetRows.size())) {
        return nullptr;
    }
    return &kPresetRows[static_cast<std::size_t>(presetIndex - 1)];
}

}  // namespace aurivel
