#include "nkdata/nk_yaml.h"

#include <gtest/gtest.h>

#include "expect_data_error.h"
#include "nkdata/nk_file.h"
#include "nkdata/plain_text.h"

namespace aurivel::nkdata {
namespace {

NkData Read(const std::string& text) { return ReadNkYaml(text, "f.yml"); }

TEST(NkYamlTest, SeparateNAndKTablesEachKeepTheirRows) {
    const NkData data = ReadNkYamlFile(DataFile("main/SiO/nk/Hass.yml"));
    EXPECT_EQ(data.n.range.shortest, 0.240);
    EXPECT_EQ(data.n.range.longest, 14.0);
    EXPECT_EQ(data.n.at(0.240), 1.847);
    EXPECT_NEAR(data.n.at(0.2505), (1.847 + 1.933) / 2, 1e-15);  // halfway from 0.240 to 0.261
    EXPECT_EQ(data.k.at(0.259), 0.617);
    EXPECT_NEAR(data.k.at(13.58), (0.234 + 0.254) / 2, 1e-15);  // halfway from 13.46 to 13.70
}

TEST(NkYamlTest, AFormulaForNCombinesWithATableForK) {
    const NkData data = ReadNkYamlFile(DataFile("glass/misc/soda-lime/nk/Rubin-clear.yml"));
    EXPECT_NEAR(data.n.at(0.55), 1.5251388981611569, 1e-15);  // formula 5, see formula_test.cpp
    EXPECT_NEAR(data.k.at(0.315), (4.996e-5 + 1.375e-5) / 2, 1e-20);
    EXPECT_EQ(data.k.range.longest, 4.6);
}

TEST(NkYamlTest, WithoutKTheDataGiveZeroOverNsRange) {
    const NkData data = ReadNkYamlFile(DataFile("main/Al2O3/nk/Boidin.yml"));
    EXPECT_EQ(data.n.at(0.30), 1.73756);
    EXPECT_EQ(data.k.range.shortest, data.n.range.shortest);
    EXPECT_EQ(data.k.range.longest, data.n.range.longest);
    EXPECT_EQ(data.k.at(0.5), 0.0);
}

TEST(NkYamlTest, ATablesWavelengthRangeNarrowsIt) {
    const NkData data = Read(
        "DATA:\n  - type: tabulated nk\n    wavelength_range: 0.45 0.9\n    data: |\n"
        "      0.4 1 2\n      0.5 2 3\n      0.6 3 4\n");
    EXPECT_EQ(data.n.range.shortest, 0.45);
    EXPECT_EQ(data.n.range.longest, 0.6);
    EXPECT_EQ(data.k.at(0.45), 2.5);
    ExpectDataError([&] { data.k.at(0.44); }, "f.yml:4: k is defined from 0.45 to 0.6 \xC2\xB5m, not at 0.44");
}

TEST(NkYamlTest, ReferencesAndCommentsArePlainText) {
    const NkData data = ReadNkYamlFile(DataFile("main/Cu/nk/Rakic-LD.yml"));
    EXPECT_EQ(
        data.references.rfind("A. D. Raki\xC4\x87, A. B. Djuri\xC5\xA1ic, J. M. Elazar, and M. L. Majewski.\n"
                              "Optical properties of metallic films for vertical-cavity optoelectronic devices.\nAppl",
                              0),
        0u)
        << data.references;
    EXPECT_NE(data.references.find("Appl. Opt. 37, 5271-5283 (1998) (https://doi.org/10.1364/AO.37.005271)\n["),
              std::string::npos)
        << data.references;
    EXPECT_EQ(data.comments, "Fit of experimental data from several sources to Lorentz-Drude (LD) model");
    const NkData bare = Read("DATA:\n  - type: tabulated n\n    data: 0.5 1\n");
    EXPECT_TRUE(bare.references.empty());
    EXPECT_TRUE(bare.comments.empty());
}

TEST(PlainTextTest, DropsMarkupAndKeepsLinkTargets) {
    const std::pair<const char*, const char*> cases[] = {
        {"CH<sub>4</sub>N<sub>2</sub>O (Urea)", "CH4N2O (Urea)"},
        {"<a href=\"https://doi.org/x\"><i>Phys. Rev. B</i> <b>6</b></a>", "Phys. Rev. B 6 (https://doi.org/x)"},
        {"one<br>two<BR/>three", "one\ntwo\nthree"},
        {"  first \n\n   second<br>\n", "first\nsecond"},
        {"Tom &amp; Jerry &lt;3 &quot;x&quot; &#39;y&#39;&nbsp;z", "Tom & Jerry <3 \"x\" 'y' z"},
        {"crystal orientation <111>, n < 2, <i unclosed", "crystal orientation <111>, n < 2, <i unclosed"},
        {"<a href='y'>link</a> and <a>bare</a>", "link (y) and bare"},
    };
    for (const auto& [html, plain] : cases) {
        EXPECT_EQ(PlainText(html), plain) << html;
    }
}

// For every table of refused inputs.
TEST_P(RefusedInputTest, IsRefusedWithFileAndLine) {
    ExpectDataError([] { GetParam().read(GetParam().text); }, GetParam().message);
}

void ReadYaml(const std::string& text) { UseAtLeftOutRows(Read(text)); }

// A table entry whose rows start on line 4.
#define TABLE "DATA:\n  - type: tabulated nk\n    data: |\n      0.5 1 2\n"
#define FORMULA(type, range, coefficients) \
    "  - type: " type "\n    wavelength_range: " range "\n    coefficients: " coefficients "\n"

INSTANTIATE_TEST_SUITE_P(
    Yaml, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"NotYaml", ReadYaml, "DATA:\n  - type: [tabulated\n", "f.yml:3: not valid YAML"},
        RefusedInput{"NotAMap", ReadYaml, "- 1\n- 2\n", "f.yml:1: not an n/k data file"},
        RefusedInput{"Empty", ReadYaml, "", "f.yml: not an n/k data file"},
        RefusedInput{"NoData", ReadYaml, "REFERENCES: someone\n", "f.yml: no DATA"},
        RefusedInput{"DataNotAList", ReadYaml, "DATA: 5\n", "f.yml:1: DATA must be a list"},
        RefusedInput{"DuplicateKey", ReadYaml, TABLE "DATA: []\n", "f.yml:5: the key 'DATA' appears twice"},
        RefusedInput{"ReferencesNotText", ReadYaml, "REFERENCES: [a]\n" TABLE, "f.yml:1: REFERENCES must be text"},
        RefusedInput{"EntryWithoutType", ReadYaml, "DATA:\n  - data: 0.5 1 2\n",
                     "f.yml:2: a DATA entry needs a 'type'"},
        RefusedInput{"UnknownType", ReadYaml, "DATA:\n  - type: tabulated e\n    data: 0.5 1\n",
                     "f.yml:2: unknown DATA type 'tabulated e'"},
        RefusedInput{"FormulaTen", ReadYaml, "DATA:\n" FORMULA("formula 10", "0.4 1", "1"),
                     "f.yml:2: unknown DATA type 'formula 10'"},
        RefusedInput{"TableWithoutData", ReadYaml, "DATA:\n  - type: tabulated n\n",
                     "f.yml:2: a 'tabulated n' entry needs 'data'"},
        RefusedInput{"EmptyTable", ReadYaml, "DATA:\n  - type: tabulated n\n    data: ''\n",
                     "f.yml:3: the n table has no rows"},
        RefusedInput{"MalformedNumber", ReadYaml, TABLE "      0.6 1.2.3 3\n", "f.yml:5: unreadable n '1.2.3'"},
        RefusedInput{"NotANumber", ReadYaml, TABLE "      0.6 nan 3\n", "f.yml:5: unreadable n 'nan'"},
        RefusedInput{"Infinite", ReadYaml, TABLE "      0.6 1 inf\n", "f.yml:5: unreadable k 'inf'"},
        RefusedInput{"Overflowing", ReadYaml, TABLE "      1e999 1 2\n", "f.yml:5: unreadable wavelength '1e999'"},
        RefusedInput{"BeyondSinglePrecision", ReadYaml, TABLE "      0.6 1e39 2\n", "f.yml:5: n 1e39 is too large"},
        RefusedInput{"NegativeK", ReadYaml, TABLE "      0.6 1 -3\n", "f.yml:5: negative k -3"},
        RefusedInput{"ZeroWavelength", ReadYaml, "DATA:\n  - type: tabulated k\n    data: |\n      0 1\n",
                     "f.yml:4: wavelength 0 is not positive"},
        RefusedInput{"Unsorted", ReadYaml, TABLE "      0.7 1 2\n      0.6 1 2\n", "f.yml:6: unsorted wavelength 0.6"},
        RefusedInput{"Duplicate", ReadYaml, TABLE "\n      0.5 1 3\n", "f.yml:6: duplicate wavelength 0.5"},
        RefusedInput{"AfterByteOrderMark", ReadYaml, "\xEF\xBB\xBF" TABLE "      0.4 1 2\n",
                     "f.yml:5: unsorted wavelength 0.4"},
        RefusedInput{"MissingColumn", ReadYaml, TABLE "      0.6 1\n",
                     "f.yml:5: expected 3 numbers per row, got '0.6 1'"},
        RefusedInput{"QuotedRow", ReadYaml, "DATA:\n  - type: tabulated n\n    data: \"0.5 1 2\"\n",
                     "f.yml:3: expected 2 numbers per row"},
        RefusedInput{"OnlyK", ReadYaml, "DATA:\n  - type: tabulated k\n    data: 0.5 1\n",
                     "f.yml:2: no DATA entry gives n"},
        RefusedInput{"TwoGiveN", ReadYaml, TABLE FORMULA("formula 2", "0.4 1", "1"),
                     "f.yml:5: a second DATA entry gives n (the entry on line 3 already does)"},
        RefusedInput{"TwoGiveK", ReadYaml, TABLE "  - type: tabulated k\n    data: 0.5 1\n",
                     "f.yml:6: a second DATA entry gives k (the entry on line 3 already does)"},
        RefusedInput{"FormulaWithoutRange", ReadYaml, "DATA:\n  - type: formula 1\n    coefficients: 1\n",
                     "f.yml:2: a formula entry needs a wavelength_range"},
        RefusedInput{"FormulaWithoutCoefficients", ReadYaml,
                     "DATA:\n  - type: formula 1\n    wavelength_range: 0.4 1\n",
                     "f.yml:2: a formula entry needs coefficients"},
        RefusedInput{"RangeReversed", ReadYaml, "DATA:\n" FORMULA("formula 1", "5 0.4", "1"),
                     "f.yml:3: wavelength_range must be"},
        RefusedInput{"RangeOfOne", ReadYaml, "DATA:\n" FORMULA("formula 1", "0.4", "1"),
                     "f.yml:3: wavelength_range must be"},
        RefusedInput{"RangeNotPositive", ReadYaml, "DATA:\n" FORMULA("formula 1", "0 1", "1"),
                     "f.yml:3: wavelength_range must be"},
        RefusedInput{"RangeOutsideTable", ReadYaml,
                     "DATA:\n  - type: tabulated n\n    wavelength_range: 2 3\n    data: 0.5 1\n",
                     "f.yml:4: the n table lies outside its wavelength_range 2 to 3 \xC2\xB5m"},
        RefusedInput{"TooManyCoefficients", ReadYaml, "DATA:\n" FORMULA("formula 8", "0.4 1", "1 2 3 4 5"),
                     "f.yml:4: formula 8 takes at most 4 coefficients, not 5"},
        RefusedInput{"NoCoefficients", ReadYaml, "DATA:\n" FORMULA("formula 2", "0.4 1", "''"),
                     "f.yml:4: formula 2 has no coefficients"},
        RefusedInput{"UnreadableCoefficient", ReadYaml, "DATA:\n" FORMULA("formula 2", "0.4 1", "1 x"),
                     "f.yml:4: unreadable number 'x' in coefficients"}),
    CaseName);

#undef TABLE
#undef FORMULA

TEST(NkYamlTest, AFormulaWithoutARealIndexIsRefusedWhereItIsEvaluated) {
    // n² = -1 + λ²: no real n below 1 µm.
    const NkData data = Read(
        "REFERENCES: x\nDATA:\n  - type: formula 3\n    wavelength_range: 0.4 1\n"
        "    coefficients: -1 1 2\n");
    ExpectDataError([&] { data.n.at(0.5); }, "f.yml:3: the data give no real, finite n >= 0 at 0.5 \xC2\xB5m");
    ExpectDataError([&] { data.n.at(1.5); }, "f.yml:3: n is defined from 0.4 to 1 \xC2\xB5m, not at 1.5 \xC2\xB5m");
    // n = 1e200 λ^-100 overflows single precision below about 41 µm.
    const NkData steep =
        Read("DATA:\n  - type: formula 5\n    wavelength_range: 0.4 200\n    coefficients: 0 1e200 -100\n");
    ExpectDataError([&] { steep.n.at(10.0); }, "f.yml:2: n = ");
    ExpectDataError([&] { steep.n.at(10.0); }, " at 10 \xC2\xB5m is too large for a single-precision value");
    EXPECT_LT(steep.n.at(200.0), 1e-29);
}

}  // namespace
}  // namespace aurivel::nkdata
