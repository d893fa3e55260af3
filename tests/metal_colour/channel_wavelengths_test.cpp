#include "metal_colour/channel_wavelengths.h"

#include <gtest/gtest.h>

#include "nkdata/nk_error.h"
#include "nkdata/site_csv.h"

namespace aurivel::metal_colour {
namespace {

nkdata::NkData Read(const std::string& text) { return nkdata::ReadSiteCsv(text, "metal.csv"); }

TEST(NkChannelsTest, ChannelValuesInterpolateLinearlyAtTheChannelWavelengths) {
    const nkdata::NkData data = Read("wl,n\n0.4,1.0\n0.7,2.5\nwl,k\n0.45,3\n0.5,4\n0.51,4.5\n0.8,5\n");
    // n rises 5 per µm.
    const auto n = ChannelValues(data.n);
    EXPECT_FLOAT_EQ(n[0], 2.25f);
    EXPECT_FLOAT_EQ(n[1], 1.55f);
    EXPECT_FLOAT_EQ(n[2], 1.375f);
    const auto k = ChannelValues(data.k);
    EXPECT_FLOAT_EQ(k[0], 4.5f + 0.5f * (0.14f / 0.29f));
    EXPECT_EQ(k[1], 4.5f);  // a sample exactly at 0.510 is taken as it is
    EXPECT_FLOAT_EQ(k[2], 3.5f);
}

TEST(NkChannelsTest, ConstantsNeedDataOverTheChannelWavelengths) {
    const nkdata::NkData data = Read("wl,n\n0.4,1\n0.7,2\nwl,k\n0.48,1\n0.7,2\n");
    try {
        ThreeWavelengthConstants(data);
        FAIL() << "accepted";
    } catch (const nkdata::DataError& e) {
        EXPECT_STREQ(e.what(),
                     "metal.csv: the data give k from 0.48 to 0.7 \xC2\xB5m, not over all of 0.475 to 0.65 \xC2\xB5m "
                     "as needed");
    }
}

}  // namespace
}  // namespace aurivel::metal_colour
