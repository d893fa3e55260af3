#include "presets/preset_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <tuple>

namespace aurivel {
namespace {

// The module may pick rows at compile time.
static_assert(PresetRow(0) == nullptr);

constexpr int kLastPresetValue = static_cast<int>(kPresets.size());

// The resource list names value v by the table's row v - 1 (tests/win32
// holds the strings to the names); a saved scene's value must get that
// row's constants.
TEST(PresetRow, GivesEachValueTheConstantsOfTheRowThatNamesIt) {
    for (int preset = 1; preset <= kLastPresetValue; ++preset) {
        const Preset& named = kPresets[static_cast<std::size_t>(preset - 1)];
        SCOPED_TRACE(named.name);
        const OpticalConstants* row = PresetRow(preset);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(std::memcmp(row, &named.constants, sizeof *row), 0);
    }
}

TEST(PresetRow, HasNoRowForCustomOrOutOfRangeValues) {
    for (int preset : {0, -1, kLastPresetValue + 1, kLastPresetValue + 2, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(preset);
        EXPECT_EQ(PresetRow(preset), nullptr);
    }
}

TEST(PresetRows, AreDistinctAndInsideTheParameterRange) {
    std::set<std::tuple<float, float, float, float, float, float>> seen;
    for (const OpticalConstants& row : kPresetRows) {
        for (float v : {row.nr, row.ng, row.nb, row.kr, row.kg, row.kb}) {
            EXPECT_GT(v, 0.0f);
            EXPECT_LE(v, kOpticalConstantHigh);
        }
        seen.emplace(row.nr, row.ng, row.nb, row.kr, row.kg, row.kb);
    }
    EXPECT_EQ(seen.size(), kPresetRows.size());
}

}  // namespace
}  // namespace aurivel
