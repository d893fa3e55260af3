// The line-by-line formats: the site's CSV export and plain tables, and how
// a file's format is told.
#include <gtest/gtest.h>

#include "expect_data_error.h"
#include "nkdata/nk_file.h"
#include "nkdata/plain_table.h"
#include "nkdata/site_csv.h"
#include "nkdata/tabulated.h"

namespace aurivel::nkdata {
namespace {

NkData ReadCsv(const std::string& text) { return ReadSiteCsv(text, "metal.csv"); }

NkData ReadTable(const std::string& text) { return ReadPlainTable(text, "metal.txt"); }

TEST(SiteCsvTest, ReadsBothSectionsWithCrlfAndBlankLines) {
    const NkData data = ReadCsv("wl,n\r\n0.4,1.0\r\n\r\n0.7,2.5\r\n\r\nwl,k\r\n0.45,3\r\n 0.5 , 4 \r\n0.8,5\r\n");
    EXPECT_EQ(data.n.range.shortest, 0.4);
    EXPECT_EQ(data.n.range.longest, 0.7);
    EXPECT_DOUBLE_EQ(data.n.at(0.55), 1.75);
    EXPECT_EQ(data.k.range.shortest, 0.45);
    EXPECT_EQ(data.k.at(0.5), 4.0);
    EXPECT_EQ(data.k.at(0.8), 5.0);
}

TEST(SiteCsvTest, ARowRepeatedWordForWordIsReadOnce) {
    const NkData data = ReadCsv("wl,n\n0.4,1\n0.5,2\n0.5,2\n0.7,2.5\n");
    EXPECT_EQ(data.n.at(0.5), 2.0);
    EXPECT_EQ(data.n.at(0.6), 2.25);
}

TEST(SiteCsvTest, AnExportWithoutKGivesZero) {
    const NkData data = ReadCsv("wl,n\n0.4,1.0\n0.7,2.5\n");
    EXPECT_EQ(data.k.range.longest, 0.7);
    EXPECT_EQ(data.k.at(0.5), 0.0);
}

TEST(PlainTableTest, TakesCommasTabsSpacesAndComments) {
    const NkData data = ReadTable(
        "\xEF\xBB\xBF# wavelength (um)  n  k\r\n0.4, 1.0, 3\r\n\n0.5\t1.5\t4   # measured twice\n  0.7   2.5  +5e0\n");
    EXPECT_EQ(data.source, "metal.txt");
    EXPECT_EQ(data.n.range.shortest, 0.4);
    EXPECT_EQ(data.k.range.longest, 0.7);
    EXPECT_EQ(data.n.at(0.5), 1.5);
    EXPECT_EQ(data.k.at(0.6), 4.5);
    EXPECT_EQ(data.n.at(0.45), 1.25);
}

TEST(PlainTableTest, MayBeginWithOneHeaderLine) {
    for (const char* text :
         {"wavelength n k\n0.4 1.0 3\n0.7 2.5 5\n", "# measured\nlambda, n, k\n0.4, 1.0, 3\n0.7, 2.5, 5\n"}) {
        const NkData data = ReadTable(text);
        EXPECT_EQ(data.n.range.shortest, 0.4) << text;
        EXPECT_EQ(data.k.at(0.7), 5.0) << text;
    }
}

TEST(TabulatedTest, InterpolationIsExactAtTheRows) {
    const std::vector<TableRow> rows{{0.475, 1.0}, {0.5, 3.0}, {0.65, 2.0}};
    EXPECT_EQ(InterpolateAt(rows, 0.475), 1.0);
    EXPECT_EQ(InterpolateAt(rows, 0.5), 3.0);
    EXPECT_EQ(InterpolateAt(rows, 0.65), 2.0);
    EXPECT_EQ(InterpolateAt(rows, 0.6), 2.0 + 1.0 / 3.0);
}

void ReadCsvText(const std::string& text) { UseAtLeftOutRows(ReadCsv(text)); }
void ReadTableText(const std::string& text) { UseAtLeftOutRows(ReadTable(text)); }

// A faulty row far from where the data are used leaves the rest usable and
// is reported; near them it is refused.
TEST(PlainTableTest, AFaultyRowIsLeftOutAndRefusedOnlyWhereItIsNeeded) {
    const NkData far = ReadTable("0.3 1 2\n0.5 1.5 2\n0.9 2 3\n700 -256.3 4\n");
    EXPECT_EQ(far.n.range.longest, 0.9);
    EXPECT_EQ(far.n.at(0.4), 1.25);
    RequireCoverage(far, {0.38, 0.78});
    EXPECT_EQ(LeftOutRows(far), std::vector<std::string>{"metal.txt:4: negative n -256.3 (at 700 \xC2\xB5m, left out)"});
    ExpectDataError([&] { far.n.at(0.95); }, "metal.txt:4: negative n -256.3");

    const NkData near = ReadTable("0.3 1 2\n0.6 1 2\n0.5 1 2\n0.9 1 2\n");
    EXPECT_EQ(near.n.at(0.3), 1.0);
    EXPECT_EQ(near.n.at(0.7), 1.0);
    ExpectDataError([&] { near.n.at(0.45); }, "metal.txt:3: unsorted wavelength 0.5");
    ExpectDataError([&] { RequireCoverage(near, {0.38, 0.78}); }, "metal.txt:3: unsorted wavelength 0.5");
    EXPECT_TRUE(LeftOutRows(ReadTable("0.3 1 2\n0.9 1 2\n")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    SiteCsv, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"Empty", ReadCsvText, "", "metal.csv: empty file"},
        RefusedInput{"OnlyBlankLines", ReadCsvText, "\r\n\n  \n", "metal.csv: empty file"},
        RefusedInput{"MissingN", ReadCsvText, "wl,k\n0.4,1\n0.7,2\n", "metal.csv: no 'wl,n' section"},
        RefusedInput{"MissingColumn", ReadCsvText, "wl,n\n0.4,1\n0.7\n", "metal.csv:3: expected two columns"},
        RefusedInput{"ExtraColumn", ReadCsvText, "wl,n\n0.4,1,2\n", "metal.csv:2: expected two columns"},
        RefusedInput{"UnknownSection", ReadCsvText, "wl,n\n0.4,1\nwl,e1\n", "metal.csv:3: unknown section 'wl,e1'"},
        RefusedInput{"SecondSection", ReadCsvText, "wl,n\n0.4,1\n0.7,2\nwl,n\n",
                     "metal.csv:4: second 'wl,n' section (the first is on line 1)"},
        RefusedInput{"UnreadableNumber", ReadCsvText, "wl,n\n0.4,1\n0.7,1.2.3\n", "metal.csv:3: unreadable n '1.2.3'"},
        RefusedInput{"UnreadableWavelength", ReadCsvText, "wl,n\nabc,1\n", "metal.csv:2: unreadable wavelength 'abc'"},
        RefusedInput{"EmptyValue", ReadCsvText, "wl,n\n0.4,\n", "metal.csv:2: unreadable n ''"},
        RefusedInput{"NotFinite", ReadCsvText, "wl,n\n0.4,inf\n", "metal.csv:2: unreadable n 'inf'"},
        RefusedInput{"DataBeforeHeader", ReadCsvText, "0.4,1\nwl,n\n", "metal.csv:1: data before the first"},
        RefusedInput{"NegativeK", ReadCsvText, "wl,n\n0.4,1\nwl,k\n0.4,1\n0.5,-2\n", "metal.csv:5: negative k -2"},
        RefusedInput{"ZeroWavelength", ReadCsvText, "wl,n\n0,1\n", "metal.csv:2: wavelength 0 is not positive"},
        RefusedInput{"Unsorted", ReadCsvText, "wl,n\n0.4,1\n0.7,2\n0.6,2\n", "metal.csv:4: unsorted wavelength 0.6"},
        RefusedInput{"Duplicate", ReadCsvText, "wl,n\n0.4,1\n0.4,2\n", "metal.csv:3: duplicate wavelength 0.4"},
        RefusedInput{"EmptySection", ReadCsvText, "wl,n\n0.4,1\n0.7,2\nwl,k\n",
                     "metal.csv:4: the k table has no rows"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    PlainTable, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"Empty", ReadTableText, "# nothing yet\n\n", "metal.txt: empty table"},
        RefusedInput{"TwoColumns", ReadTableText, "0.4 1\n", "metal.txt:1: expected three numbers 'wavelength n k'"},
        RefusedInput{"FourColumns", ReadTableText, "0.4,1,2,3\n", "metal.txt:1: expected three numbers"},
        RefusedInput{"EmptyField", ReadTableText, "0.4,,2\n", "metal.txt:1: unreadable n ''"},
        RefusedInput{"HeaderRow", ReadTableText, "0.4 1 2\nwl n k\n", "metal.txt:2: unreadable wavelength 'wl'"},
        RefusedInput{"TwoHeaderLines", ReadTableText, "wavelength n k\nlambda n k\n0.4 1 2\n",
                     "metal.txt:2: unreadable wavelength 'lambda'"},
        RefusedInput{"NegativeK", ReadTableText, "0.4 1 2\n0.5 1 -0.1\n", "metal.txt:2: negative k -0.1"},
        RefusedInput{"NegativeN", ReadTableText, "0.4 -1 2\n", "metal.txt:1: negative n -1"},
        RefusedInput{"Unsorted", ReadTableText, "0.5 1 2\n# a comment\n0.4 1 2\n",
                     "metal.txt:3: unsorted wavelength 0.4"}),
    CaseName);

TEST(DetectFormatTest, TheFirstLineThatIsNotACommentTells) {
    const std::pair<const char*, NkFormat> cases[] = {
        {"wl,n\n0.4,1\n", NkFormat::kSiteCsv},
        {"\xEF\xBB\xBFwl,n\r\n0.4,1\r\n", NkFormat::kSiteCsv},
        {"# exported\n\nwl,k\n", NkFormat::kSiteCsv},
        {"0.4 1 2\n", NkFormat::kPlainTable},
        {"# lambda n k\n  .4,1,2\n", NkFormat::kPlainTable},
        {"# this file is part of refractiveindex.info database\n\nREFERENCES: |\n", NkFormat::kDatabaseYaml},
        {"wavelength n k\n0.4 1 2\n", NkFormat::kPlainTable},
        {"# measured\nwl,n,k\n0.4, 1, 2\n", NkFormat::kPlainTable},
        {"---\nDATA:\n", NkFormat::kDatabaseYaml},
        {"REFERENCES: |\n  1 2 3\n", NkFormat::kDatabaseYaml},
    };
    for (const auto& [text, format] : cases) {
        EXPECT_EQ(DetectFormat(text, "metal.txt"), format) << text;
    }
    for (const char* empty : {"", "# nothing yet\n\n  \n"}) {
        ExpectDataError([empty] { DetectFormat(empty, "metal.txt"); },
                        "metal.txt: empty file: expected n/k data, as a refractiveindex.info YAML file");
    }
}

TEST(NkFileTest, FilesAreReadInTheirOwnFormatAndNamedByPath) {
    const std::string file = DataFile("main/Au/nk/Johnson.yml");
    const NkData data = ReadNkFile(file);
    EXPECT_EQ(data.source, file);
    EXPECT_EQ(data.n.at(0.4959), 1.04);
    EXPECT_EQ(data.k.at(0.4959), 1.833);
    ExpectDataError([] { ReadNkFile("/nonexistent/metal.yml"); }, "/nonexistent/metal.yml does not exist");
    ExpectDataError([] { ReadSiteCsvFile(DataFile("main/Au/nk/Johnson.yml")); }, "Johnson.yml:1: expected two columns");
}

}  // namespace
}  // namespace aurivel::nkdata
