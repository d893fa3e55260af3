#include "presets/preset_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <tuple>

namespace aurivel {
namespace {

// The map and the module may pick rows at compile time.
static_assert(PresetRow(0) == nullptr);
static_assert(PresetRow(6) == &kPresetRows[5]);

TEST(PresetRow, MapsPresetValuesOneToTenOntoTheRowsInOrder) {
    for (int preset = 1; preset <= 10; ++preset) {
        SCOPED_TRACE(preset);
        EXPECT_EQ(PresetRow(preset), &kPresetRows[static_cast<std::size_t>(preset - 1)]);
    }
}

TEST(PresetRow, HasNoRowForCustomOrOutOfRangeValues) {
    for (int preset : {0, -1, 11, 12, INT_MIN, INT_MAX}) {
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
