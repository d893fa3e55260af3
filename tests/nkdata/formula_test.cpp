// Formulas 1-9 against values computed apart from this code (python3, each
// formula typed in from the database's "Dispersion formulas" document).
#include "nkdata/dispersion_formula.h"

#include <gtest/gtest.h>

#include <cmath>

#include "expect_data_error.h"
#include "nkdata/nk_file.h"

namespace aurivel::nkdata {
namespace {

struct FormulaCase {
    int formula;
    std::vector<double> coefficients;
    double at06;  // n at 0.6 µm
    double at13;  // n at 1.3 µm
};

// Every coefficient of each formula in use, so that a misplaced index or
// a missing square shows. Formula 2's poles are formula 1's squared, so
// both give the same n.
const FormulaCase kEveryCoefficient[] = {
    {1,
     {0.1, 0.5, 0.07, 0.3, 0.11, 0.2, 0.13, 0.1, 0.17, 0.05, 0.19, 0.04, 0.23, 0.03, 0.29, 0.02, 9.0},
     1.5418922261634678,
     1.5267305415023176},
    {2,
     {0.1, 0.5, 0.0049, 0.3, 0.0121, 0.2, 0.0169, 0.1, 0.0289, 0.05, 0.0361, 0.04, 0.0529, 0.03, 0.0841, 0.02, 81.0},
     1.5418922261634678,
     1.5267305415023176},
    {3,
     {2.0, 0.01, 2, -0.01, -2, 0.001, 4, 0.0005, -4, 1e-4, 3, 2e-4, -3, 1e-5, 6, 3e-5, -1},
     1.4074117519047176,
     1.4192942198061733},
    {4,
     {1.5, 0.3, 2, 0.2, 2, 0.1, 1.5, 0.5, 3, 0.01, 2, -0.002, -2, 0.001, 1, 0.0001, 3},
     1.4261610732326038,
     1.3853591783346408},
    {5, {1.45, 0.004, -2, 0.0001, -4, 0.002, 1, -0.001, 2, 5e-5, -3}, 1.4629541975308642, 1.453334634991772},
    {6, {1e-4, 0.02, 150, 0.001, 80, 1e-4, 50, 1e-5, 40, 1e-6, 30}, 1.0002512217353607, 1.0002487662405724},
    {7, {3.4, 0.15, -0.12, 1.3e-4, -2e-6, 3e-8}, 2.7631616532462755, 3.4470239003148704},
    {8, {0.45, 0.1, 0.07, -0.00015}, 2.245805260443567, 2.1742758299267386},
    {9, {2.5, 0.024, 0.03, 0.02, 1.52, 0.8771}, 1.600640909956301, 1.5842044200163423},
};

TEST(DispersionFormulaTest, EveryCoefficientOfEveryFormulaCounts) {
    for (const FormulaCase& c : kEveryCoefficient) {
        EXPECT_NEAR(FormulaIndex(c.formula, c.coefficients, 0.6), c.at06, 1e-13 * c.at06) << "formula " << c.formula;
        EXPECT_NEAR(FormulaIndex(c.formula, c.coefficients, 1.3), c.at13, 1e-13 * c.at13) << "formula " << c.formula;
    }
}

TEST(DispersionFormulaTest, CoefficientsLeftOutAddNothingEvenAtAPole) {
    // Formula 4's second term would be 0 * λ^0 / (λ² - 0^0): 0/0 at 1 µm.
    EXPECT_EQ(FormulaIndex(4, {2.0}, 1.0), std::sqrt(2.0));
    EXPECT_EQ(FormulaIndex(1, {0.5}, 0.5), std::sqrt(1.5));
}

TEST(DispersionFormulaTest, NoRealFiniteIndexIsNotFinite) {
    EXPECT_TRUE(std::isnan(FormulaIndex(3, {-1.0}, 0.5)));  // n² < 0
    EXPECT_TRUE(std::isnan(FormulaIndex(8, {2.0}, 0.5)));   // (n² - 1)/(n² + 2) = 2: n² = -5
    EXPECT_TRUE(std::isinf(FormulaIndex(8, {1.0}, 0.5)));   // (n² - 1)/(n² + 2) = 1: a pole
    EXPECT_EQ(FormulaIndex(5, {-1.0}, 0.5), -1.0);          // n itself: the caller refuses n < 0
}

struct PageCase {
    int formula;
    const char* file;
    double wavelengths[3];  // the range's ends and a point inside
    double n[3];
};

// One page of the database per formula, at the ends of its
// wavelength_range and inside. (Sapphire's n_e 1.7600 at 0.5893 µm, argon's
// n - 1 = 2.81e-4 at 0.6328 µm and silicon's 3.4215 at 10 µm are also the
// values the literature gives.)
const PageCase kPages[] = {
    {1,
     "main/Al2O3/nk/Malitson-e.yml",
     {0.2, 0.5893, 5.0},
     {1.901626171176946, 1.7600020297818186, 1.6183864277243265}},
    {2, "glass/misc/BGG/nk/Zelmon.yml", {0.4, 1.55, 5.0}, {1.7887853082695411, 1.7241653617755781, 1.6791194312471756}},
    {3,
     "main/BeAl6O10/nk/Pestryakov-alpha.yml",
     {0.43, 0.6328, 1.1},
     {1.755789487597506, 1.7396669031982286, 1.727478325185094}},
    {4, "main/AgCl/nk/Tilton.yml", {0.578, 1.0, 20.6}, {2.0693301690557653, 2.0223931769866481, 1.9003846078409128}},
    {5,
     "glass/misc/soda-lime/nk/Rubin-clear.yml",
     {0.31, 0.55, 4.6},
     {1.5539233467170654, 1.5251388981611569, 1.4461312000756144}},
    {6,
     "main/Ar/nk/Peck-0C.yml",
     {0.4679, 0.6328, 2.0587},
     {1.0002843371770036, 1.0002811699158676, 1.0002778147741689}},
    {7, "main/Si/nk/Edwards.yml", {2.4373, 10.0, 25.0}, {3.4433614523817826, 3.4215245576652009, 3.4201164083752955}},
    {8,
     "main/AgBr/nk/Schroter.yml",
     {0.495, 0.589, 0.67},
     {2.3137856700618857, 2.2573654442859561, 2.2321593143956218}},
    {9,
     "organic/CH4N2O - urea/nk/Rosker-e.yml",
     {0.3, 0.6, 1.06},
     {1.7043928702073146, 1.605403788031452, 1.5902092382376289}},
};

TEST(DispersionFormulaTest, DatabasePagesGiveTheirFormulaOverTheirWavelengthRange) {
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.file);
        const NkData data = ReadNkYamlFile(DataFile(page.file));
        EXPECT_EQ(data.n.range.shortest, page.wavelengths[0]);
        EXPECT_EQ(data.n.range.longest, page.wavelengths[2]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(data.n.at(page.wavelengths[i]), page.n[i], 1e-13 * page.n[i]) << page.wavelengths[i];
        }
        if (page.formula != 5) {  // the soda-lime page adds a k table
            EXPECT_EQ(data.k.at(page.wavelengths[1]), 0.0);
        }
        ExpectDataError([&] { data.n.at(page.wavelengths[2] * 1.01); }, "n is defined from");
    }
}

}  // namespace
}  // namespace aurivel::nkdata
