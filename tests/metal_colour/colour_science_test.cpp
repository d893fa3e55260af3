// The observer, the rendering spaces and the colour difference against
// published values, and the reading of the observer's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "metal_colour/cie_files.h"
#include "metal_colour/rendering_space.h"

namespace aurivel::metal_colour {
namespace {

const Observer& D65Observer() {
    static const Observer observer = Observer::Cie1931D65();
    return observer;
}

void ExpectMatrixNear(const Matrix3& actual, const Matrix3& expected, double tolerance) {
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            EXPECT_NEAR(actual[row][column], expected[row][column], tolerance)
                << "row " << row << ", column " << column;
        }
    }
}

TEST(ObserverTest, WhiteIsD65AtItsPublishedChromaticity) {
    // CIE 15: D65 with the 2° observer is x 0.31272, y 0.32903.
    const Xyz white = D65Observer().White();
    const double sum = white.x + white.y + white.z;
    EXPECT_NEAR(white.y, 1.0, 1e-12);
    EXPECT_NEAR(white.x / sum, 0.31272, 5e-5);
    EXPECT_NEAR(white.y / sum, 0.32903, 5e-5);
}

TEST(RenderingSpaceTest, PrimariesGiveThePublishedMatrices) {
    // IEC 61966-2-1 (sRGB, to four places) and SMPTE S-2014-004 (ACEScg).
    ExpectMatrixNear(RgbToXyzMatrix({0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, XyzOf({0.3127, 0.3290})),
                     {{{0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}}}, 1e-4);
    ExpectMatrixNear(RgbToXyzMatrix({0.713, 0.293}, {0.165, 0.830}, {0.128, 0.044}, XyzOf({0.32168, 0.33767})),
                     {{{0.6624541811, 0.1340042065, 0.1561876870},
                       {0.2722287168, 0.6740817658, 0.0536895174},
                       {-0.0055746495, 0.0040607335, 1.0103391003}}},
                     1e-8);
}

TEST(RenderingSpaceTest, SrgbToAcescgIsThePublishedBradfordMatrix) {
    const RenderingSpace srgb(RenderingSpaceId::kSrgb, D65Observer().White());
    const RenderingSpace acescg(RenderingSpaceId::kAcescg, D65Observer().White());
    const Matrix3 published{
        {{0.6130974, 0.3395231, 0.0473794}, {0.0701949, 0.9163552, 0.0134499}, {0.0206156, 0.1095696, 0.8698148}}};
    for (std::size_t column = 0; column < 3; ++column) {
        const LinearRgb unit{column == 0 ? 1.0 : 0.0, column == 1 ? 1.0 : 0.0, column == 2 ? 1.0 : 0.0};
        const LinearRgb mapped = acescg.FromXyz(srgb.ToXyz(unit));
        EXPECT_NEAR(mapped.r, published[0][column], 3e-4) << "column " << column;
        EXPECT_NEAR(mapped.g, published[1][column], 3e-4) << "column " << column;
        EXPECT_NEAR(mapped.b, published[2][column], 3e-4) << "column " << column;
    }
}

TEST(RenderingSpaceTest, PerfectReflectorIsWhiteInBothSpaces) {
    for (const RenderingSpaceId id : {RenderingSpaceId::kSrgb, RenderingSpaceId::kAcescg}) {
        const RenderingSpace space(id, D65Observer().White());
        const LinearRgb white = space.FromXyz(D65Observer().White());
        EXPECT_NEAR(white.r, 1.0, 1e-12) << space.Name();
        EXPECT_NEAR(white.g, 1.0, 1e-12) << space.Name();
        EXPECT_NEAR(white.b, 1.0, 1e-12) << space.Name();
        EXPECT_TRUE(RenderingSpace::InGamut(white)) << space.Name();
        const Lab lab = space.LabOf(white);
        EXPECT_NEAR(lab.l, 100.0, 1e-9) << space.Name();
        EXPECT_NEAR(lab.a, 0.0, 1e-9) << space.Name();
        EXPECT_NEAR(lab.b, 0.0, 1e-9) << space.Name();
    }
}

TEST(RenderingSpaceTest, GamutIsTheUnitCube) {
    EXPECT_TRUE(RenderingSpace::InGamut({0.0, 0.5, 1.0}));
    EXPECT_FALSE(RenderingSpace::InGamut({1.001, 0.5, 0.5}));
    EXPECT_FALSE(RenderingSpace::InGamut({0.5, -0.001, 0.5}));
    EXPECT_FALSE(RenderingSpace::InGamut({0.5, 0.5, 1.001}));
}

TEST(DeltaE2000Test, MatchesThePublishedTestPairs) {
    // Sharma, Wu and Dalal (2005), Table 1: pairs 1, 4, 7, 13, 17, 25 and 34.
    struct Pair {
        Lab first;
        Lab second;
        double deltaE;
    };
    const Pair pairs[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, -1.3802, -84.2814}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0009}, 7.1792},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{2.0776, 0.0795, -1.135}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    for (const Pair& p : pairs) {
        EXPECT_NEAR(DeltaE2000(p.first, p.second), p.deltaE, 1e-4) << "L " << p.first.l << " a " << p.first.a;
    }
}

class CieFilesTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const auto path = std::filesystem::temp_directory_path() / ("aurivel_measured_" + name);
        std::ofstream(path) << text;
        written_.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& path : written_) {
            std::filesystem::remove(path);
        }
    }

private:
    std::vector<std::filesystem::path> written_;
};

// A CGATS file of `sets` rows, every band from firstNanometres to 780 nm at value.
std::string SpectralFile(int firstNanometres, int sets, const std::string& value = "1.0") {
    std::string fields;
    std::string values;
    for (int nm = firstNanometres; nm <= 780; nm += 5) {
        fields += " SPEC_" + std::to_string(nm);
        values += " " + value;
    }
    std::string text = "SPECT\nNUMBER_OF_FIELDS " + std::to_string((780 - firstNanometres) / 5 + 1) +
                       "\nNUMBER_OF_SETS " + std::to_string(sets) + "\nBEGIN_DATA_FORMAT\n" + fields +
                       "\nEND_DATA_FORMAT\nBEGIN_DATA\n";
    for (int s = 0; s < sets; ++s) {
        text += values + "\n";
    }
    return text + "END_DATA\n";
}

TEST_F(CieFilesTest, BadTablesAreRejectedNamingTheFile) {
    struct Case {
        const char* what;
        std::string matching;
        std::string illuminant;
        const char* message;
    };
    const Case cases[] = {
        {"missing file", "/nonexistent/observer.cmf", Write("light.sp", SpectralFile(380, 1)),
         "/nonexistent/observer.cmf: not a readable CGATS/IT8 file"},
        {"not CGATS", Write("text.cmf", "hello\n"), Write("light.sp", SpectralFile(380, 1)), "text.cmf: not a"},
        {"band missing", Write("short.cmf", SpectralFile(385, 3)), Write("light.sp", SpectralFile(380, 1)),
         "short.cmf: has no field SPEC_380"},
        {"set missing", Write("two.cmf", SpectralFile(380, 2)), Write("light.sp", SpectralFile(380, 1)),
         "two.cmf: has no data set 3"},
        {"dark illuminant", Write("good.cmf", SpectralFile(380, 3)), Write("dark.sp", SpectralFile(380, 1, "0")),
         "dark.sp: the illuminant gives no light"},
    };
    for (const Case& c : cases) {
        try {
            ReadCieFiles(c.matching, c.illuminant);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const SpectralError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace aurivel::metal_colour
