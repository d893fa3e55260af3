#include "nk_source.h"

#include <gtest/gtest.h>

#include <sstream>

#include "channel_wavelengths.h"
#include "site_csv.h"

namespace aurivel::preview {
namespace {

TEST(NkSourceTest, PrintsTheConstantsAndTheReferencesIndented) {
    nkdata::NkData data = nkdata::ReadSiteCsv("wl,n\n0.4,1.0\n0.7,2.5\n", "metal.csv");
    data.references = "A. Author.\nA title.";
    std::ostringstream out;
    PrintNkConstants(data, spectral::ThreeWavelengthConstants(data), out);
    EXPECT_EQ(out.str(),
              "Optical constants from metal.csv at R 0.650, G 0.510, B 0.475 \xC2\xB5m:\n  n = 2.25 1.55 1.375\n"
              "  k = 0 0 0\nReferences:\n  A. Author.\n  A title.\n");
}

}  // namespace
}  // namespace aurivel::preview
