#include "measured/nk_source.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/options.h"
#include "measured/measured_views.h"
#include "metal_colour/channel_wavelengths.h"
#include "nkdata/site_csv.h"

namespace aurivel::preview {
namespace {

TEST(NkSourceTest, PrintsTheConstantsAndTheReferencesIndented) {
    nkdata::NkData data = nkdata::ReadSiteCsv("wl,n\n0.4,1.0\n0.7,2.5\n", "metal.csv");
    data.references = "A. Author.\nA \x1B[2Jtitle.";  // control bytes from a file are shown, not obeyed
    std::ostringstream out;
    PrintNkConstants(data, metal_colour::ThreeWavelengthConstants(data), out);
    EXPECT_EQ(out.str(),
              "Optical constants from metal.csv at R 0.650, G 0.510, B 0.475 \xC2\xB5m:\n  n = 2.25 1.55 1.375\n"
              "  k = 0 0 0\nReferences:\n  A. Author.\n  A \\x1B[2Jtitle.\n");
}

TEST(NkSourceTest, AMeasuredMapIsNamedByItsDataAndHowItsValuesWereChosen) {
    // Covers 380-780 nm, so it is fitted unless asked otherwise.
    const nkdata::NkData data = nkdata::ReadSiteCsv("wl,n\n0.3,1.0\n0.9,2.5\nwl,k\n0.3,2\n0.9,4\n", "/data/Cu.csv");
    const struct {
        std::vector<std::string> args;
        const char* name;
    } cases[] = {
        {{"--nk", "/data/Cu.csv"}, "Cu.csv, fitted for sRGB"},
        {{"--nk-csv", "/data/Cu.csv", "--rendering-space", "acescg"}, "Cu.csv, fitted for ACEScg"},
        {{"--nk", "/data/Cu.csv", "--fit", "three"}, "Cu.csv, at the channel wavelengths"},
        {{"--nk-db", "db", "--nk", "main/Cu/Johnson", "--rendering-space", "acescg"},
         "main/Cu/Johnson, fitted for ACEScg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeasuredMapName(data, ParseCommandLine(c.args)), c.name);
    }
}

}  // namespace
}  // namespace aurivel::preview
