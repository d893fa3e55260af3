#include "nk_csv.h"

#include <ostream>
#include <gtest/gtest.h>

#include "errors.h"

namespace aurivel::preview {
namespace {

NkTable Read(const std::string& text) { return ReadNkCsv(text, "metal.csv"); }

TEST(NkCsvTest, ReadsBothSectionsWithCrlfAndBlankLines) {
    const NkTable table = Read("wl,n\r\n0.4,1.0\r\n\r\n0.7,2.5\r\n\r\nwl,k\r\n0.45,3\r\n 0.5 , 4 \r\n0.8,5\r\n");
    ASSERT_EQ(table.n.size(), 2u);
    ASSERT_EQ(table.k.size(), 3u);
    EXPECT_EQ(table.n[1].wavelength, 0.7);
    EXPECT_EQ(table.n[1].value, 2.5);
    EXPECT_EQ(table.k[1].wavelength, 0.5);
    EXPECT_EQ(table.k[1].value, 4.0);
}

TEST(NkCsvTest, ChannelValuesInterpolateLinearlyAtTheChannelWavelengths) {
    const NkTable table = Read("wl,n\n0.4,1.0\n0.7,2.5\nwl,k\n0.45,3\n0.5,4\n0.51,4.5\n0.8,5\n");
    // n rises 5 per µm.
    const auto n = ChannelValues(table.n);
    EXPECT_FLOAT_EQ(n[0], 2.25f);
    EXPECT_FLOAT_EQ(n[1], 1.55f);
    EXPECT_FLOAT_EQ(n[2], 1.375f);
    const auto k = ChannelValues(table.k);
    EXPECT_FLOAT_EQ(k[0], 4.5f + 0.5f * (0.14f / 0.29f));
    EXPECT_EQ(k[1], 4.5f);  // a sample exactly at 0.510 is taken as it is
    EXPECT_FLOAT_EQ(k[2], 3.5f);
}

TEST(NkCsvTest, InterpolationEndsAtTheOuterSamples) {
    const std::vector<NkSample> samples{{0.475, 1.0}, {0.65, 2.0}};
    EXPECT_EQ(InterpolateAt(samples, 0.475), 1.0);
    EXPECT_EQ(InterpolateAt(samples, 0.65), 2.0);
}

struct BadCsv {
    const char* what;
    const char* text;
    const char* message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadCsv& c, std::ostream* os) { *os << c.what; }

class BadNkCsvTest : public ::testing::TestWithParam<BadCsv> {};

TEST_P(BadNkCsvTest, IsRejectedWithFileAndLine) {
    try {
        Read(GetParam().text);
        FAIL() << "accepted";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadNkCsvTest,
    ::testing::Values(BadCsv{"Empty", "", "metal.csv: empty file"},
                      BadCsv{"OnlyBlankLines", "\r\n\n  \n", "metal.csv: empty file"},
                      BadCsv{"MissingK", "wl,n\n0.4,1\n0.7,2\n", "metal.csv: no 'wl,k' section"},
                      BadCsv{"MissingN", "wl,k\n0.4,1\n0.7,2\n", "metal.csv: no 'wl,n' section"},
                      BadCsv{"MissingColumn", "wl,n\n0.4,1\n0.7\n", "metal.csv:3: expected two columns"},
                      BadCsv{"ExtraColumn", "wl,n\n0.4,1,2\n", "metal.csv:2: expected two columns"},
                      BadCsv{"UnknownSection", "wl,n\n0.4,1\n0.7,2\nwl,e1\n", "metal.csv:4: unknown section 'wl,e1'"},
                      BadCsv{"SecondSection", "wl,n\n0.4,1\n0.7,2\nwl,n\n", "metal.csv:4: second 'wl,n' section"},
                      BadCsv{"UnreadableNumber", "wl,n\n0.4,1\n0.7,1.2.3\n", "metal.csv:3: unreadable n '1.2.3'"},
                      BadCsv{"UnreadableWavelength", "wl,n\nabc,1\n", "metal.csv:2: unreadable wavelength 'abc'"},
                      BadCsv{"EmptyValue", "wl,n\n0.4,\n", "metal.csv:2: unreadable n ''"},
                      BadCsv{"NotFinite", "wl,n\n0.4,inf\n", "metal.csv:2: unreadable n 'inf'"},
                      BadCsv{"DataBeforeHeader", "0.4,1\nwl,n\n", "metal.csv:1: data before the first"},
                      BadCsv{"NegativeK", "wl,n\n0.4,1\n0.7,2\nwl,k\n0.4,1\n0.5,-2\n", "metal.csv:6: negative k -2"},
                      BadCsv{"ZeroWavelength", "wl,n\n0,1\n", "metal.csv:2: wavelength 0 is not positive"},
                      BadCsv{"Unsorted", "wl,n\n0.4,1\n0.7,2\n0.6,2\n", "metal.csv:4: unsorted wavelength 0.6"},
                      BadCsv{"Duplicate", "wl,n\n0.4,1\n0.4,2\n", "metal.csv:3: duplicate wavelength 0.4"},
                      BadCsv{"NotCoveringRed", "wl,n\n0.4,1\n0.6,2\nwl,k\n0.4,1\n0.7,2\n",
                             "metal.csv:1: the 'wl,n' section does not cover"},
                      BadCsv{"NotCoveringBlue", "wl,n\n0.4,1\n0.7,2\nwl,k\n0.48,1\n0.7,2\n",
                             "metal.csv:4: the 'wl,k' section does not cover"},
                      BadCsv{"EmptySection", "wl,n\n0.4,1\n0.7,2\nwl,k\n",
                             "metal.csv:4: the 'wl,k' section does not cover"}),
    [](const ::testing::TestParamInfo<BadCsv>& info) { return std::string(info.param.what); });

TEST(NkCsvTest, MissingFileIsReported) { EXPECT_THROW(ReadNkCsvFile("/nonexistent/metal.csv"), ToolError); }

}  // namespace
}  // namespace aurivel::preview
