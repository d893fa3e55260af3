// The built tool, run as a user runs it, loading the built module.
#include <ostream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <limits>
#include <map>
#include <sstream>

#include "cli/options.h"
#include "host/host.h"
#include "metal_colour/fit.h"
#include "nkdata/nk_file.h"
#include "png_reader.h"
#include "presets/preset_table.h"
#include "render/png_writer.h"
#include "render/sample_sphere.h"
#include "render/sheet.h"
#include "shading/shade_sample.h"

#include "measured/reflectance_curves.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The default map's head-on colour, linear.
constexpr Rgb kCopperHeadOn{0.92595214f, 0.58900940f, 0.52098233f};

class ToolTest : public ::testing::Test {
protected:
    // A folder of the test's own, apart from those of other runs of the
    // tests at the same time; a parameterised test's "/" becomes "_".
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir_ = fs::temp_directory_path() / ("aurivel_preview_" + name + "-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!HasFailure()) {
            fs::remove_all(dir_);
        }
    }

    std::string File(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }

    // Runs the tool in the test's folder after the shell command "before",
    // with its standard output going to stdoutTo (else to a file read back).
    RunResult Run(const std::vector<std::string>& args, const std::string& before = "",
                  const std::string& stdoutTo = "") const {
        std::string command = "cd " + Quote(dir_.string()) + " && " + before + Quote(AURIVEL_PREVIEW_TOOL);
        for (const std::string& arg : args) {
            command += " " + Quote(arg);
        }
        command += " >" + (stdoutTo.empty() ? Quote(File("stdout.txt")) : stdoutTo) + " 2>" +
                   Quote(File("stderr.txt")) + " </dev/null";
        const int status = std::system(command.c_str());
        RunResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = Slurp(File("stdout.txt"));
        result.err = Slurp(File("stderr.txt"));
        return result;
    }

    // Renders with the arguments and reads the picture back.
    test_support::PngPixels Render(std::vector<std::string> args, const std::string& name = "out.png") const {
        args.insert(args.end(), {"-o", File(name)});
        const RunResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return test_support::ReadPng(File(name));
    }

    fs::path dir_;
};

void ExpectPixel(const test_support::PngPixels& png, int x, int y, const Rgb& linear, bool sixteenBit) {
    const float channels[3] = {linear.r, linear.g, linear.b};
    for (int c = 0; c < 3; ++c) {
        const int expected = sixteenBit ? EncodeLinear16(channels[c]) : EncodeSrgb8(channels[c]);
        EXPECT_EQ(png.Sample(x, y, c), expected) << "pixel " << x << "," << y << " channel " << c;
    }
}

Rgb HeadOn(const OpticalConstants& constants) {
    const Rgba c = ShadeSample({0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, -1.0f}, constants, 0.0f, 0.0f, 1.0f);
    return {c.r, c.g, c.b};
}

TEST_F(ToolTest, DefaultSphereIsCopperWithExactHeadOnValue) {
    const test_support::PngPixels png = Render({"--linear"});
    ASSERT_EQ(png.width, kDefaultSphereSize);
    ASSERT_EQ(png.bitDepth, 16);
    const SampleSphere sphere(kDefaultSphereSize);
    const int centre = sphere.CentrePixel();
    ExpectPixel(png, centre, centre, kCopperHeadOn, true);

    // The outermost pixel on the horizontal axis is close to grazing: near white.
    int rim = centre;
    while (sphere.At(rim + 1, centre)) {
        ++rim;
    }
    for (int c = 0; c < 3; ++c) {
        EXPECT_GT(png.Sample(rim, centre, c), 0.8 * 65535) << "channel " << c;
    }
    // Corners show the checker.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{png.width - 1, 0}, std::pair{0, png.height - 1}}) {
        ExpectPixel(png, x, y, sphere.Background(x, y), true);
    }
}

// Pixels of the label strip brighter than its background: the label's text.
int TextPixels(const test_support::PngPixels& png, const Rect& label, int background) {
    int text = 0;
    for (int y = label.top; y < label.top + label.height; ++y) {
        for (int x = label.left; x < label.left + label.width; ++x) {
            text += png.Sample(x, y, 0) > background;
        }
    }
    return text;
}

TEST_F(ToolTest, NoArgumentsShowTheMapsColourBesideItAsMetalLabelled) {
    const RunResult result = Run({});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const test_support::PngPixels png = test_support::ReadPng(File("preview.png"));
    const SheetLayout layout(2, kDefaultSphereSize, 2);
    ASSERT_EQ(png.width, layout.Width());
    ASSERT_EQ(png.height, layout.Height());
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_TRUE(png.hasSrgbChunk);
    const int centre = kDefaultSphereSize / 2;
    const Rect flat = layout.Slot(0);
    const Rect lit = layout.Slot(1);
    ExpectPixel(png, flat.left + centre, flat.top + centre, kCopperHeadOn, false);
    // As metal the sphere mirrors the dark floor in its lower half, tinted
    // as copper: red above blue, all below the flat colour.
    const int floorY = lit.top + centre + centre / 2;
    for (int c = 0; c < 3; ++c) {
        EXPECT_LT(png.Sample(lit.left + centre, floorY, c), png.Sample(flat.left + centre, flat.top + centre, c) / 2)
            << "channel " << c;
    }
    EXPECT_GT(png.Sample(lit.left + centre, floorY, 0), png.Sample(lit.left + centre, floorY, 2));
    for (int tile = 0; tile < 2; ++tile) {
        EXPECT_GT(TextPixels(png, layout.Label(tile), EncodeSrgb8(kLabelBackground.r)), 20) << "tile " << tile;
    }
    EXPECT_TRUE(result.err.empty()) << result.err;  // no progress when stderr is not a terminal
}

TEST_F(ToolTest, PresetByNameInAnyCaseAndParametersByInternalName) {
    const SampleSphere sphere(51);
    const int centre = sphere.CentrePixel();
    ExpectPixel(Render({"--preset", "gOLd", "--size", "51", "--linear"}), centre, centre, HeadOn(kPresetRows[2]), true);
    ExpectPixel(Render({"--set", "preset=9", "--size", "51", "--linear"}), centre, centre, HeadOn(kPresetRows[8]),
                true);

    const OpticalConstants custom{1.5f, 0.5f, 0.25f, 0.0f, 2.0f, 4.0f};
    const test_support::PngPixels png =
        Render({"--preset", "custom", "--set", "nrvalue=1.5", "--set", "ngvalue=0.5", "--set", "nbvalue=0.25", "--set",
                "krvalue=0", "--set", "kgvalue=2", "--set", "kbvalue=4", "--size", "51", "--linear"});
    ExpectPixel(png, centre, centre, HeadOn(custom), true);

    // gamma 2 squares every channel of the colour.
    const Rgb copper = HeadOn(kPresetRows[5]);
    const Rgba squared = ShadeSample({0, 0, 1}, {0, 0, -1}, kPresetRows[5], 0.0f, 0.0f, 2.0f);
    ExpectPixel(Render({"--set", "gamma=2", "--size", "51", "--linear"}), centre, centre,
                {squared.r, squared.g, squared.b}, true);
    EXPECT_LT(squared.g, copper.g);
}

TEST_F(ToolTest, SheetShowsTenLabelledMetals) {
    const int size = 61;
    const test_support::PngPixels png = Render({"--sheet", "--size", std::to_string(size), "--linear"});
    const SheetLayout layout(10, size);
    ASSERT_EQ(png.width, layout.Width());
    ASSERT_EQ(png.height, layout.Height());
    const std::uint16_t background = EncodeLinear16(kLabelBackground.r);
    for (int tile = 0; tile < 10; ++tile) {
        const Rect slot = layout.Slot(tile);
        ExpectPixel(png, slot.left + size / 2, slot.top + size / 2, HeadOn(kPresetRows[static_cast<std::size_t>(tile)]),
                    true);
        EXPECT_GT(TextPixels(png, layout.Label(tile), background), 20) << "tile " << tile << " has no label";
    }
}

TEST_F(ToolTest, NkCsvBecomesACustomMap) {
    // n rises 5 per µm and k 10 per µm, so the channel values are exact.
    const std::string csv = Write("metal.csv", "wl,n\r\n0.4,1.0\r\n0.7,2.5\r\n\r\nwl,k\r\n0.45,3\r\n0.8,6.5\r\n");
    const RunResult result = Run({"--nk-csv", csv, "--size", "51", "--linear", "-o", File("csv.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("n = 2.25 1.55 1.375"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("k = 5 3.6 3.25"), std::string::npos) << result.out;
    const OpticalConstants expected{2.25f, 1.55f, 1.375f, 5.0f, 3.6f, 3.25f};
    ExpectPixel(test_support::ReadPng(File("csv.png")), 25, 25, HeadOn(expected), true);
}

TEST_F(ToolTest, NkReadsAPlainTableAndADatabasePageWithItsReferences) {
    // n rises 5 per µm and k 10 per µm, so the channel values are exact.
    const std::string table =
        Write("metal.txt", "# n and k of a made-up metal\nwavelength n k\n0.4 1.0 2.5\n0.7, 2.5, 5.5\n");
    const RunResult fromTable = Run({"--nk", table, "--size", "51", "--linear", "-o", File("table.png")});
    ASSERT_EQ(fromTable.exitCode, 0) << fromTable.err;
    EXPECT_NE(fromTable.out.find("n = 2.25 1.55 1.375\n  k = 5 3.6 3.25\n"), std::string::npos) << fromTable.out;
    ExpectPixel(test_support::ReadPng(File("table.png")), 25, 25, HeadOn({2.25f, 1.55f, 1.375f, 5.0f, 3.6f, 3.25f}),
                true);

    const std::string file = std::string(AURIVEL_NK_DATA) + "/database/data/main/Cu/nk/Johnson.yml";
    const RunResult fromFile = Run({"--nk", file, "--size", "51", "--linear", "-o", File("file.png")});
    const RunResult fromPage = Run(
        {"--nk-db", AURIVEL_NK_DATA, "--nk", "main/Cu/Johnson", "--size", "51", "--linear", "-o", File("page.png")});
    ASSERT_EQ(fromPage.exitCode, 0) << fromPage.err;
    EXPECT_NE(
        fromPage.out.find("\nReferences:\n  P. B. Johnson and R. W. Christy.\n  Optical constants of the noble "
                          "metals.\n  Phys. Rev. B 6, 4370-4379 (1972) (https://doi.org/10.1103/PhysRevB.6.4370)\n"),
        std::string::npos)
        << fromPage.out;
    const auto constants = [](const std::string& out) { return out.substr(0, out.find("Wrote ")); };
    EXPECT_EQ(constants(fromPage.out), constants(fromFile.out));
    EXPECT_EQ(test_support::ReadPng(File("page.png")).samples, test_support::ReadPng(File("file.png")).samples);
}

TEST(ValuesTitleTest, NumbersAreWrittenAsTheScriptsWriteThem) {
    const OpticalConstants constants{1.0118503e-6f, 0.5f, 100.0f, 2e-5f, 3.0f, 4.25f};
    EXPECT_EQ(ValuesTitle(L"Gold", constants), L"Gold:  n = 1.0118503e-6 0.5 100   k = 2.0e-5 3 4.25");
}

// A metal by name takes the page the library's rule recommends of its book,
// which the atlas's functions by name make too: known answers of the rule.
TEST_F(ToolTest, NkByNameTakesTheMetalsRecommendedPage) {
    const struct {
        const char* typed;
        const char* metal;
        const char* page;
    } named[] = {
        {"gold", "Gold", "main/Au/Johnson"},  // Rakić's model misses the fit's goal; Johnson and Christy are bulk
        {"NICKEL-IRON", "Nickel-iron", "other/Ni-Fe/Tikuisis_bare150nm"},  // every page a film: the thick bare one
        {"Ta", "Tantalum", "main/Ta/Werner"},  // energy-loss constants before a calculation
        {"stainless steel", "Stainless steel", "other/stainless_steel/Karlsson-austenitic"},
    };
    for (const auto& n : named) {
        const RunResult byName = Run({"--nk", n.typed, "--maxscript"});
        ASSERT_EQ(byName.exitCode, 0) << n.typed << byName.err;
        EXPECT_EQ(byName.err.rfind(std::string(n.typed) + ": " + n.metal + "'s recommended page, " + n.page + " (", 0),
                  0u)
            << byName.err;
        const RunResult byPage = Run({"--nk-db", AURIVEL_NK_DATA, "--nk", n.page, "--maxscript"});
        EXPECT_EQ(byName.out, byPage.out) << n.typed;
    }
}

TEST_F(ToolTest, NkByAnUnknownNameOrAMetalWithoutARecommendedPageSaysWhatIsThere) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } refused[] = {
        {{"--nk", "golld"}, "golld: no such file, and no metal by that name; the metals: Silver (Ag), Aluminium (Al), "},
        {{"--nk-db", AURIVEL_NK_DATA, "--nk", "golld"},
         "golld: no page (shelf/book/page) and no metal by that name; the metals: Silver (Ag), "},
        {{"--nk", "caesium"}, "main/Cs: Caesium: no page is recommended: "},
    };
    for (const auto& r : refused) {
        const RunResult result = Run(r.args);
        EXPECT_EQ(result.exitCode, 1) << r.message;
        EXPECT_NE(result.err.find(r.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(r.args.size() == 2 && r.args[1] == "caesium" ? "--nk shelf/book/page" : "Brass (Cu-Zn)"),
                  std::string::npos)
            << result.err;
        EXPECT_FALSE(fs::exists(File("preview.png")));
    }
    // The help, its lines joined, names them too.
    const std::string help = std::regex_replace(Run({"--help"}).out, std::regex("\\s+"), " ");
    EXPECT_NE(help.find("Gold (Au), Beryllium (Be)"), std::string::npos) << help;
    EXPECT_NE(help.find("Stainless steel (stainless_steel)"), std::string::npos) << help;
}

TEST_F(ToolTest, NkListShowsABooksPagesAndWritesNoPicture) {
    const RunResult result = Run({"--nk-db", AURIVEL_NK_DATA, "--nk-list", "main/Cu"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("main/Cu: Cu (Copper)\n  Experimental data\n    Johnson      Johnson and Christy 1972: "
                               "n,k 0.188\xE2\x80\x93"
                               "1.937 \xC2\xB5m\n    McPeak       McPeak et al. 2015: n,k "
                               "0.3\xE2\x80\x93"
                               "1.7 \xC2\xB5m\n",
                               0),
              0u)
        << result.out;
    EXPECT_NE(result.out.find("  Models and simulations\n"), std::string::npos);
    EXPECT_NE(result.out.find("    Ordal        Ordal et al. 1985: n,k 0.517\xE2\x80\x93"
                              "55.6 \xC2\xB5m  (no data file in this copy)\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\n9 of 12 pages have a data file in this copy of the database\n"), std::string::npos)
        << result.out;
    EXPECT_FALSE(fs::exists(File("preview.png")));
    // A shelf's books say how many of their pages are here.
    const RunResult shelf = Run({"--nk-db", AURIVEL_NK_DATA, "--nk-list", "other"});
    ASSERT_EQ(shelf.exitCode, 0) << shelf.err;
    for (const char* line :
         {"  other/Cu-Zn                         Cu-Zn (Copper-zinc alloy, Brass)  (3 of 3 pages here)\n",
          "  other/air                           Air  (no page here)\n"}) {
        EXPECT_NE(shelf.out.find(line), std::string::npos) << line << shelf.out;
    }
}

struct BadRun {
    const char* what;
    // "CSV" stands for the fixture file, "OUT" for a picture, "DIR" for a folder, "DB" for the database.
    std::vector<std::string> args;
    const char* csv;
    int exitCode;
    const char* message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadRun& c, std::ostream* os) { *os << c.what; }

class ToolFailureTest : public ToolTest, public ::testing::WithParamInterface<BadRun> {};

TEST_P(ToolFailureTest, ReportsAndExits) {
    std::vector<std::string> args = GetParam().args;
    const std::string csv = Write("bad.csv", GetParam().csv);
    for (std::string& arg : args) {
        arg = arg == "CSV"   ? csv
              : arg == "OUT" ? File("out.png")
              : arg == "DIR" ? File("atlas")
              : arg == "DB"  ? AURIVEL_NK_DATA
                             : arg;
    }
    const RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
    EXPECT_EQ(result.err.rfind("aurivel-preview: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    for (const char c : result.err) {
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << "a raw control byte " << int{c};
    }
    EXPECT_FALSE(fs::exists(File("out.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolFailureTest,
    ::testing::Values(
        BadRun{"EmptyCsv", {"--nk-csv", "CSV", "-o", "OUT"}, "", 1, "bad.csv: empty file"},
        BadRun{"MissingSection", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,k\n0.4,1\n0.7,2\n", 1, "no 'wl,n' section"},
        BadRun{"MissingColumn", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,n\n0.4\n", 1, "bad.csv:2: expected two columns"},
        BadRun{"UnreadableNumber", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,n\n0.4,x1\n", 1, "bad.csv:2: unreadable n"},
        BadRun{"NotCovering",
               {"--nk-csv", "CSV", "-o", "OUT"},
               "wl,n\n0.5,1\n0.7,2\nwl,k\n0.4,1\n0.7,1\n",
               1,
               "bad.csv: the data give n from 0.5 to 0.7 \xC2\xB5m, not over all of 0.475 to 0.65 \xC2\xB5m"},
        BadRun{"Unsorted", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,n\n0.7,1\n0.4,2\n", 1, "bad.csv:3: unsorted"},
        BadRun{"Duplicate", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,n\n0.4,1\n0.4,2\n", 1, "bad.csv:3: duplicate"},
        BadRun{"Negative", {"--nk-csv", "CSV", "-o", "OUT"}, "wl,n\n0.4,-1\n", 1, "bad.csv:2: negative n"},
        BadRun{"ConstantOutOfRange",
               {"--nk-csv", "CSV", "-o", "OUT"},
               "wl,n\n0.4,150\n0.7,150\nwl,k\n0.4,1\n0.7,1\n",
               1,
               "bad.csv: nrvalue must be from 0 to 100"},
        BadRun{"MissingCsv", {"--nk-csv", "/nonexistent.csv", "-o", "OUT"}, "", 1, "/nonexistent.csv does not exist"},
        BadRun{"UnknownDataType",
               {"--nk", "CSV", "-o", "OUT"},
               "DATA:\n  - type: tabulated q\n",
               1,
               "bad.csv:2: unknown DATA type 'tabulated q'"},
        BadRun{"TableNotCovering", {"--nk", "CSV", "-o", "OUT"}, "0.5 1 2\n0.7 1 2\n", 1, "the data give n from 0.5"},
        BadRun{"TableInNanometres",
               {"--nk", "CSV", "-o", "OUT"},
               "wavelength n k\n400 1 2\n700 1 2\n",
               1,
               "as needed (wavelengths are read in \xC2\xB5m; these look like nm: 400 nm is 0.4 \xC2\xB5m)"},
        BadRun{"ControlBytesInData", {"--nk", "CSV", "-o", "OUT"}, "0.4 \x1B[2J 2\n", 1, "unreadable n '\\x1B[2J'"},
        BadRun{"ControlBytesInAValue", {"--set", "hue=\x07", "-o", "OUT"}, "", 2, "hue: '\\x07' is not a number"},
        BadRun{"EmptyDataFile", {"--nk", "CSV", "-o", "OUT"}, "", 1, "bad.csv: empty file: expected n/k data"},
        BadRun{"FormulaNotCovering",
               {"--nk-db", "DB", "--nk", "main/AgBr/Schr\xC3\xB6ter", "-o", "OUT"},
               "",
               1,
               "Schroter.yml: the data give n from 0.495 to 0.67 \xC2\xB5m"},
        BadRun{"UnknownPage", {"--nk-db", "DB", "--nk", "main/Cu/Jonson", "-o", "OUT"}, "", 1, "no page 'Jonson'"},
        BadRun{"AtlasWithoutAnyColour",
               {"--atlas", "DIR", "--nk-db", "DB", "--nk", "main/Al2O3/Boidin", "--nk", "main/Cu/Ordal"},
               "",
               1,
               "no page gives a colour (2 pages, each listed above with why); "},
        BadRun{"ListWithoutDatabase", {"--nk-list", "main/Cu", "-o", "OUT"}, "", 2, "--nk-list needs --nk-db"},
        BadRun{"DamagedScene", {"--load", "CSV", "-o", "OUT"}, "not a scene at all", 1, "bad.csv: not a scene file"},
        BadRun{
            "MissingScene", {"--load", "/nonexistent.scene", "-o", "OUT"}, "", 1, "/nonexistent.scene does not exist"},
        BadRun{"SceneIsAFolder", {"--load", ".", "-o", "OUT"}, "", 1, ": . is a directory\n"},
        BadRun{"MissingModule",
               {"--module", "/nonexistent/Aurivel.dlt", "-o", "OUT"},
               "",
               1,
               ": /nonexistent/Aurivel.dlt does not exist\n"},
        BadRun{"TextModule", {"--module", "CSV", "-o", "OUT"}, "text", 1, "bad.csv is not a module"},
        BadRun{"UnknownPreset", {"--preset", "brass", "-o", "OUT"}, "", 2, "unknown preset 'brass'"},
        BadRun{"UnknownParameter", {"--set", "shine=1", "-o", "OUT"}, "", 2, "no parameter 'shine'"},
        BadRun{"NotANumber", {"--set", "gamma=high", "-o", "OUT"}, "", 2, "'high' is not a number"},
        BadRun{"NanHue", {"--set", "hue=nan", "-o", "OUT"}, "", 2, "hue: 'nan' is not a number"},
        BadRun{"NanConstant", {"--set", "nrvalue=-NaN", "-o", "OUT"}, "", 2, "nrvalue: '-NaN' is not a number"},
        BadRun{"NotUtf8InAValue",
               {"--set",
                "hue=Schr\xF6"
                "der\xFF",
                "-o", "OUT"},
               "",
               2,
               "hue: 'Schr\\xF6"
               "der\\xFF' is not a number"},
        BadRun{"NumberOutOfRange",
               {"--set", "gamma=1e400", "-o", "OUT"},
               "",
               2,
               "gamma: '1e400' is out of range: too large, or too close to 0, for a number"},
        BadRun{"NanWithPayload", {"--set", "sat=nan(123)", "-o", "OUT"}, "", 2, "sat: 'nan(123)' is not a number"},
        BadRun{"OutOfRange", {"--set", "gamma=50", "-o", "OUT"}, "", 2, "gamma must be from 0.05 to 20"},
        BadRun{"OutputNotSettable", {"--set", "output=1", "-o", "OUT"}, "", 2, "'output' cannot be set"},
        BadRun{"UnknownOption", {"--shiny", "-o", "OUT"}, "", 2, "unknown argument '--shiny'"},
        BadRun{"EvenSize", {"--size", "64", "-o", "OUT"}, "", 2, "--size must be odd"},
        BadRun{"FitNeedsTheVisible",
               {"--nk", "CSV", "--fit", "spectral", "-o", "OUT"},
               "0.45 1 2\n0.7 1 2\n",
               1,
               "bad.csv: the data give n from 0.45 to 0.7 \xc2\xb5m, not over all of 0.38 to 0.78"},
        BadRun{"CompareNeedsTheVisible",
               {"--compare", "CSV", "-o", "OUT"},
               "0.45 1 2\n0.7 1 2\n",
               1,
               "bad.csv: the data give n from 0.45 to 0.7 \xc2\xb5m, not over all of 0.38 to 0.78"}),
    [](const ::testing::TestParamInfo<BadRun>& info) { return std::string(info.param.what); });

// Pages are fitted side by side, each into its own place: the atlas is the
// same bytes whatever the number of threads.
TEST_F(ToolTest, AtlasIsTheSameWithOneThreadOrSeveral) {
    const std::vector<std::string> pages{"--nk", "main/Ag/Johnson", "--nk", "main/Au/Johnson", "--nk",
                                         "main/Au/Rakic-BB", "--nk", "main/Cu/Johnson", "--size", "21"};
    for (const char* threads : {"1", "3"}) {
        std::vector<std::string> args{"--atlas", File(threads), "--nk-db", AURIVEL_NK_DATA, "--threads", threads};
        args.insert(args.end(), pages.begin(), pages.end());
        ASSERT_EQ(Run(args).exitCode, 0) << threads;
    }
    std::size_t compared = 0;
    for (const auto& file : fs::recursive_directory_iterator(File("1"))) {
        if (file.is_regular_file()) {
            const fs::path relative = fs::relative(file.path(), File("1"));
            EXPECT_EQ(Slurp(file.path()), Slurp(fs::path(File("3")) / relative)) << relative;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 4u + 4 * 5);  // the page, its data, its script, the list of files and each page's pictures
}

TEST_F(ToolTest, AtlasCountsItsPagesAndThoseWithoutAColour) {
    const std::string db = AURIVEL_NK_DATA;
    const RunResult one = Run({"--atlas", File("one"), "--nk-db", db, "--nk", "main/Cu/Johnson", "--size", "21"});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, "Wrote " + File("one/index.html") + " with 1 page\n");
    const RunResult two = Run(
        {"--atlas", File("two"), "--nk-db", db, "--nk", "main/Cu/Johnson", "--nk", "main/Cu/Ordal", "--size", "21"});
    EXPECT_EQ(two.exitCode, 0) << two.err;
    EXPECT_NE(two.out.find("main/Cu/Ordal gives no colour: "), std::string::npos) << two.out;
    EXPECT_NE(two.out.find(" with 2 pages, 1 of them without a colour\n"), std::string::npos) << two.out;
    // A page of a book the catalog lacks is listed too, not the end of the atlas.
    const RunResult unknown = Run({"--atlas", File("unknown"), "--nk-db", db, "--nk", "main/Cu/Johnson", "--nk",
                                   "main/Cx/Johnson", "--size", "21"});
    EXPECT_EQ(unknown.exitCode, 0) << unknown.err;
    EXPECT_NE(unknown.out.find("main/Cx/Johnson gives no colour: main/Cx: the database has no book 'Cx'"),
              std::string::npos)
        << unknown.out;
}

// An output that is an input or another output, however spelt (another path,
// a hard link), is refused before anything is written, naming both.
TEST_F(ToolTest, AnOutputNeverReplacesAnInputOrAnotherOutput) {
    const std::string measured = "0.38 0.2 3\n0.8 0.2 5\n";
    Write("measured", measured);
    const RunResult saved = Run({"--preset", "gold", "--save", "gold.scene", "-o", "first.png"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "Wrote gold.scene\nWrote first.png\n");
    const RunResult oddName = Run({"--size", "15", "-o", "odd\xFF.png"});  // a name that is not UTF-8
    EXPECT_EQ(oddName.out, "Wrote odd\\xFF.png\n");
    const std::string scene = Slurp(File("gold.scene"));
    fs::create_hard_link(File("gold.scene"), File("linked.png"));
    // A copy of the database with one page, whose file is spelt through the page's id.
    const fs::path database = fs::path(AURIVEL_NK_DATA) / "database";
    fs::create_directories(File("db/data/main/Cu/nk"));
    fs::copy_file(database / "catalog-nk.yml", File("db/catalog-nk.yml"));
    fs::copy_file(database / "data/main/Cu/nk/Johnson.yml", File("db/data/main/Cu/nk/Johnson.yml"));
    const std::string page = Slurp(File("db/data/main/Cu/nk/Johnson.yml"));
    const struct {
        std::vector<std::string> args;
        std::string output;
        std::string other;
    } cases[] = {
        {{"--nk", "measured", "-o", "measured"}, "-o measured", "--nk measured"},
        {{"--nk", "measured", "--maxscript", "--save", "./measured"}, "--save ./measured", "--nk measured"},
        {{"--nk-csv", "measured", "-o", File("measured")}, "-o " + File("measured"), "--nk-csv measured"},
        {{"-o", "same.png", "--save", "./same.png"}, "--save ./same.png", "-o same.png"},
        {{"--load", "gold.scene", "-o", "linked.png"}, "-o linked.png", "--load gold.scene"},
        {{"--load", "gold.scene", "--save", "gold.scene", "-o", "x.png"}, "--save gold.scene", "--load gold.scene"},
        {{"--compare", "measured", "-o", "measured"}, "-o measured", "--compare measured"},
        {{"--nk-db", "db", "--nk", "main/Cu/Johnson", "--maxscript", "--save", "db/data/main/Cu/nk/Johnson.yml"},
         "--save db/data/main/Cu/nk/Johnson.yml",
         "--nk db/data/main/Cu/nk/Johnson.yml"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, 2) << c.args[1] << result.err;
        EXPECT_NE(result.err.find(c.output), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.other), std::string::npos) << result.err;
    }
    EXPECT_EQ(Slurp(File("measured")), measured);
    EXPECT_EQ(Slurp(File("gold.scene")), scene);
    EXPECT_EQ(Slurp(File("db/data/main/Cu/nk/Johnson.yml")), page);
    EXPECT_FALSE(fs::exists(File("same.png")) || fs::exists(File("x.png")));
}

// What cannot be written whole, to a full disk or past a file-size limit,
// is a failure, and a picture cut short is not left behind.
TEST_F(ToolTest, AWriteThatFailsIsAFailure) {
    const std::string limit = "ulimit -f 1 && ";  // 512 or 1024 bytes, as the shell counts blocks
    const struct {
        std::vector<std::string> args;
        std::string before, stdoutTo, message;
    } cases[] = {
        {{"--preset", "gold", "--maxscript"}, "", "/dev/full", "cannot write standard output: No space left"},
        {{"--info"}, "", "/dev/full", "cannot write standard output: No space left"},
        {{"--help"}, limit, "help.txt", "cannot write standard output: File too large"},
        {{"--size", "255", "-o", "big.png"}, limit, "", "cannot write big.png.saving: File too large"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(c.args, c.before, c.stdoutTo);
        EXPECT_EQ(result.exitCode, 1) << c.args.back() << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(File("big.png")));
}

// The atlas writes into a new or empty folder, or over an earlier atlas, and
// replaces or removes only the files its list names.
TEST_F(ToolTest, AtlasChangesOnlyTheFilesItWrote) {
    const std::string db = AURIVEL_NK_DATA;
    const auto atlas = [&](const std::string& folder, const std::string& page) {
        return Run({"--atlas", folder, "--nk-db", db, "--nk", page, "--size", "21"});
    };
    fs::create_directories(File("mine"));
    Write("mine/index.html", "my own page");
    const RunResult refused = atlas("mine", "main/Cu/Johnson");
    EXPECT_EQ(refused.exitCode, 2) << refused.err;
    EXPECT_NE(refused.err.find("mine holds index.html, which is in the way"), std::string::npos) << refused.err;
    EXPECT_EQ(Slurp(File("mine/index.html")), "my own page");
    EXPECT_FALSE(fs::exists(File("mine/pictures")));

    fs::create_directories(File("empty"));
    ASSERT_EQ(atlas("empty", "main/Cu/Johnson").exitCode, 0);
    EXPECT_TRUE(fs::exists(File("empty/pictures/01-main-Cu-Johnson-lit.png")));
    Write("empty/pictures/notes.txt", "mine");
    Write("empty/pictures/05-main-Au-Johnson-lit.png", "named like a picture, but mine");
    const RunResult again = atlas("empty", "main/Au/Johnson");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(fs::exists(File("empty/pictures/01-main-Au-Johnson-lit.png")));
    EXPECT_FALSE(fs::exists(File("empty/pictures/01-main-Cu-Johnson-lit.png")));
    EXPECT_EQ(Slurp(File("empty/pictures/notes.txt")), "mine");
    EXPECT_EQ(Slurp(File("empty/pictures/05-main-Au-Johnson-lit.png")), "named like a picture, but mine");

    Write("empty/pictures/01-main-Ag-Johnson-curves.png", "mine too");
    const RunResult inTheWay = atlas("empty", "main/Ag/Johnson");
    EXPECT_EQ(inTheWay.exitCode, 2) << inTheWay.err;
    EXPECT_NE(inTheWay.err.find("01-main-Ag-Johnson-curves.png, which atlas-files.txt does not list"),
              std::string::npos)
        << inTheWay.err;
    EXPECT_EQ(Slurp(File("empty/pictures/01-main-Ag-Johnson-curves.png")), "mine too");
    EXPECT_TRUE(fs::exists(File("empty/pictures/01-main-Au-Johnson-lit.png")));
}

TEST_F(ToolTest, SavedSceneRendersTheSamePicture) {
    const std::string scene = File("gold.scene");
    const test_support::PngPixels saved =
        Render({"--preset", "gold", "--set", "hue=-25", "--save", scene, "--size", "41", "--linear"}, "saved.png");
    const test_support::PngPixels loaded = Render({"--load", scene, "--size", "41", "--linear"}, "loaded.png");
    ASSERT_EQ(saved.width, 41);
    EXPECT_EQ(saved.samples, loaded.samples);
    const test_support::PngPixels copper = Render({"--size", "41", "--linear"}, "copper.png");
    EXPECT_NE(copper.samples, loaded.samples);
}

TEST_F(ToolTest, InfoListsTheModuleAndElevenParameters) {
    const RunResult result = Run({"--info"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* text : {"Aurivel IOR TexMap", "Version:      " AURIVEL_VERSION " (the plug-in's",
                             "SDK version:  0x65904000 (1703952384)", "Class:        Aurivel", "Category:     Standard",
                             "(0x9F6ECB34, 0x768F22AB)", "0x00000C10", "Parameters (11):"}) {
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    }
    for (const char* name : {"preset", "nrvalue", "ngvalue", "nbvalue", "krvalue", "kgvalue", "kbvalue", "gamma", "hue",
                             "sat", "output"}) {
        EXPECT_NE(result.out.find("\n  " + std::string(name) + " "), std::string::npos) << name;
    }
    EXPECT_NE(result.out.find("0.27105"), std::string::npos);
    EXPECT_NE(result.out.find("0.05 to 20"), std::string::npos);
}

TEST_F(ToolTest, PlotDrawsTheThreeChannels) {
    const test_support::PngPixels png = Render({"--plot", "--preset", "gold"});
    ASSERT_GT(png.width, 400);
    int reddish = 0;
    int bluish = 0;
    for (int y = 0; y < png.height; ++y) {
        for (int x = 0; x < png.width; ++x) {
            const int r = png.Sample(x, y, 0);
            const int g = png.Sample(x, y, 1);
            const int b = png.Sample(x, y, 2);
            reddish += r > 150 && g < 60 && b < 60;
            bluish += b > 150 && r < 60 && g < 90;
        }
    }
    EXPECT_GT(reddish, 200);
    EXPECT_GT(bluish, 200);
}

TEST_F(ToolTest, HelpExplainsAndSucceeds) {
    const RunResult result = Run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("Usage: aurivel-preview"), std::string::npos);
    EXPECT_NE(result.out.find("Examples:"), std::string::npos);
    const RunResult version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out.rfind("aurivel-preview " AURIVEL_VERSION " ", 0), 0u) << version.out;
}

// A plain table over 0.3-0.9 µm with n = 1 + λ and k = 2λ (λ in µm), so the
// values at the channel wavelengths are exact.
constexpr const char* kRisingTable = "# n = 1 + wavelength, k = 2 wavelength\n0.3 1.3 0.6\n0.9 1.9 1.8\n";
constexpr float kRisingAtChannels[6] = {1.65f, 1.51f, 1.475f, 1.3f, 1.02f, 0.95f};

using Assignments = std::vector<std::pair<std::string, std::string>>;

// The names and values that --maxscript's lines set, in their order; fails
// the test unless the lines make a map, set its parameters and end with the
// comment that shows how to put it into a Material Editor slot.
Assignments MaxScriptAssignments(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "aurivelMap = Aurivel()");
    const std::string prefix = "aurivelMap.";
    Assignments assignments;
    while (std::getline(lines, line) && line.rfind(prefix, 0) == 0) {
        const std::size_t equals = line.find(" = ");
        EXPECT_NE(equals, std::string::npos) << line;
        assignments.emplace_back(line.substr(prefix.size(), equals - prefix.size()), line.substr(equals + 3));
    }
    std::string comment = line;
    do {
        EXPECT_EQ(line.rfind("-- ", 0), 0u) << "not a comment after the map's lines: " << line;
        comment = line;
    } while (std::getline(lines, line));
    EXPECT_EQ(comment, "-- meditMaterials[1] = aurivelMap");
    return assignments;
}

// The six values of a Custom map's lines, which set the preset to Custom
// and then all six constants in parameter order.
std::vector<float> CustomValues(const Assignments& assignments) {
    const char* names[] = {"preset", "nrvalue", "ngvalue", "nbvalue", "krvalue", "kgvalue", "kbvalue"};
    std::vector<float> values;
    EXPECT_EQ(assignments.size(), std::size(names));
    for (std::size_t i = 0; i < assignments.size() && i < std::size(names); ++i) {
        EXPECT_EQ(assignments[i].first, names[i]);
        values.push_back(std::stof(assignments[i].second));
    }
    EXPECT_EQ(values.empty() ? -1.0f : values.front(), 0.0f) << "Custom";
    return std::vector<float>(values.begin() + (values.empty() ? 0 : 1), values.end());
}

TEST_F(ToolTest, MaxScriptGivesThePresetByNumberAndNoPicture) {
    const RunResult result = Run({"--preset", "gold", "--maxscript"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(MaxScriptAssignments(result.out), (Assignments{{"preset", "3"}}));
    EXPECT_FALSE(fs::exists(File("preview.png")));
}

// A scene may hold values that no command line can set; MAXScript cannot
// read NaN or infinity, so the script of such a map is refused.
TEST_F(ToolTest, MaxScriptRefusesAValueScriptsCannotRead) {
    const struct {
        const char* setting;
        float saved;
        float loaded;
        const char* message;
    } cases[] = {
        {"hue=1.5", 1.5f, std::numeric_limits<float>::quiet_NaN(), "the map's hue is nan, which MAXScript cannot read"},
        {"sat=1.25", 1.25f, std::numeric_limits<float>::infinity(),
         "the map's sat is inf, which MAXScript cannot read"},
    };
    for (const auto& c : cases) {
        const std::string scene = File("unreadable.scene");
        ASSERT_EQ(Run({"--set", c.setting, "--save", scene, "--maxscript"}).exitCode, 0) << c.setting;
        std::string bytes = Slurp(scene);
        const std::string saved(reinterpret_cast<const char*>(&c.saved), sizeof c.saved);
        const std::size_t at = bytes.find(saved);
        ASSERT_NE(at, std::string::npos) << c.setting;
        ASSERT_EQ(bytes.find(saved, at + 1), std::string::npos) << c.setting;
        bytes.replace(at, sizeof c.loaded, reinterpret_cast<const char*>(&c.loaded), sizeof c.loaded);
        Write("unreadable.scene", bytes);
        const RunResult result = Run({"--load", scene, "--maxscript"});
        EXPECT_EQ(result.exitCode, 1) << c.setting;
        EXPECT_EQ(result.out, "") << c.setting;
        EXPECT_EQ(result.err, std::string("aurivel-preview: ") + c.message + "\n") << c.setting;
    }
}

TEST_F(ToolTest, MeasuredDataAreFittedWhenTheyCoverTheVisible) {
    struct Case {
        const char* what;
        const char* table;
        std::vector<std::string> options;
        bool sampled;         // the map takes the values at the channel wavelengths
        const char* message;  // in the report, which goes to stderr beside MAXScript
    };
    const Case cases[] = {
        {"asked for three", kRisingTable, {"--fit", "three"}, true, "at R 0.650, G 0.510, B 0.475"},
        {"default, covering", kRisingTable, {}, false, "E2000 against the integrated colour"},
        {"ACEScg", kRisingTable, {"--rendering-space", "acescg"}, false, "D65, ACEScg)"},
        {"default, short", "0.45 1.45 0.9\n0.7 1.7 1.4\n", {}, true, "do not cover 380-780 nm"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--nk", Write("metal.txt", c.table), "--maxscript"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult result = Run(args);
        ASSERT_EQ(result.exitCode, 0) << c.what << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
        const std::vector<float> values = CustomValues(MaxScriptAssignments(result.out));
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (c.sampled) {
                EXPECT_FLOAT_EQ(values[i], kRisingAtChannels[i]) << c.what << ", value " << i;
            } else {
                EXPECT_GT(std::fabs(values[i] - kRisingAtChannels[i]), 1e-3) << c.what << ", value " << i;
            }
        }
    }
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// --maxscript's lines, set one by one by internal name through the map's
// parameter block as a script sets them, make a map that holds the same bits
// and renders the same colours as the map that printed them (saved by the
// same run).
TEST_F(ToolTest, MaxScriptLinesMakeTheMapThatPrintedThem) {
    const std::string table = Write("metal.txt", kRisingTable);
    const std::vector<std::vector<std::string>> cases{
        {"--preset", "gold"},
        {"--preset", "silver", "--set", "gamma=2.2", "--set", "hue=-20", "--set", "sat=15"},
        {"--nk", table},
        {"--nk", table, "--set", "gamma=0.45"},
        {"--preset", "gold", "--set", "krvalue=1.25", "--set", "sat=-30.5"},
        {"--set", "preset=0", "--set", "nbvalue=2"},
    };
    const PreviewModule module = PreviewModule::Open(AURIVEL_MODULE_PATH);
    for (std::vector<std::string> args : cases) {
        const std::string what = args[1];
        args.insert(args.end(), {"--maxscript", "--save", File("printed.scene")});
        const RunResult printed = Run(args);
        ASSERT_EQ(printed.exitCode, 0) << printed.err;
        PreviewMap original = module.LoadMap(File("printed.scene"));
        PreviewMap typed = module.CreateMap();
        for (const auto& [name, value] : MaxScriptAssignments(printed.out)) {
            typed.SetParameter(name, value);
        }
        const MapSettings want = original.Settings(0);
        const MapSettings got = typed.Settings(0);
        EXPECT_EQ(got.preset, want.preset) << what;
        const float wantValues[] = {want.constants.nr, want.constants.ng, want.constants.nb,
                                    want.constants.kr, want.constants.kg, want.constants.kb,
                                    want.gamma,        want.hue,          want.sat};
        const float gotValues[] = {got.constants.nr, got.constants.ng, got.constants.nb,
                                   got.constants.kr, got.constants.kg, got.constants.kb,
                                   got.gamma,        got.hue,          got.sat};
        for (std::size_t i = 0; i < std::size(wantValues); ++i) {
            EXPECT_TRUE(SameBits(gotValues[i], wantValues[i]))
                << what << ": value " << i << " is " << gotValues[i] << ", not " << wantValues[i];
        }
        original.Update(0);
        typed.Update(0);
        const std::unique_ptr<SampleShader> originalShader = original.Shaders()();
        const std::unique_ptr<SampleShader> typedShader = typed.Shaders()();
        for (const float mu : {1.0f, 0.8f, 0.5f, 0.2f}) {
            const SphereSample sample{{0.0f, 0.0f, 1.0f}, {0.0f, std::sqrt(1.0f - mu * mu), -mu}};
            const Rgb a = originalShader->Shade(sample);
            const Rgb b = typedShader->Shade(sample);
            EXPECT_TRUE(SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b)) << what << ", mu " << mu;
        }
    }
}

// The presets are the map's classic values: beside each preset metal's data
// the comparison says how far the preset is from them.
TEST_F(ToolTest, CompareOfThePresetMetalsSaysHowFarEachPresetIs) {
    const RunResult result = Run({"--nk-db", AURIVEL_NK_DATA, "--compare", "--size", "15", "-o", "cmp.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::map<std::string, double> atHeadOn;
    const std::string mark = "  the map's preset ";
    for (std::size_t at = result.out.find(mark); at != std::string::npos; at = result.out.find(mark, at + 1)) {
        const std::size_t name = at + mark.size();
        const std::size_t figure = result.out.find("E2000 ", name) + 6;
        atHeadOn[result.out.substr(name, result.out.find(' ', name) - name)] = std::stod(result.out.substr(figure));
    }
    EXPECT_EQ(atHeadOn.size(), 10u) << result.out;
    EXPECT_GT(atHeadOn["Gold"], 5.0);  // the preset reads as bronze beside measured gold
    EXPECT_GT(atHeadOn["Copper"], 2.0);
    EXPECT_LT(atHeadOn["Silver"], 1.0);
}

TEST_F(ToolTest, CompareShowsSampledFittedAndTruthForEachFile) {
    // A flat spectrum's truth head-on is ((n - 1)² + k²) / ((n + 1)² + k²) in every channel.
    const std::string flat = Write("flat-\xc3\x9cn\xc3\xaf" "code.txt", "0.3 0.5 3\n0.9 0.5 3\n");
    const std::string rising = Write("rising.txt", kRisingTable);
    const RunResult result = Run({"--compare", flat, rising, "--size", "41", "--linear", "-o", File("cmp.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("E2000 against the integrated colour"), std::string::npos) << result.out;
    const test_support::PngPixels png = test_support::ReadPng(File("cmp.png"));
    const SheetLayout layout(6, 41, 3);
    ASSERT_EQ(png.width, layout.Width());
    ASSERT_EQ(png.height, layout.Height());
    // The truth's label reads as the file is named, whatever its letters.
    Image named(layout.Width(), layout.Height(), kLabelBackground);
    DrawLabel(named, layout.Label(2), L"flat-\u00dcn\u00efcode.txt", Font::FindDejaVuSans(LabelTextHeight(41)));
    WritePng(named, File("label.png"), PngEncoding::kLinear16);
    const test_support::PngPixels label = test_support::ReadPng(File("label.png"));
    const Rect strip = layout.Label(2);
    int differing = 0;
    for (int y = strip.top; y < strip.top + strip.height; ++y) {
        for (int x = strip.left; x < strip.left + strip.width; ++x) {
            differing += png.Sample(x, y, 0) != label.Sample(x, y, 0);
        }
    }
    EXPECT_EQ(differing, 0);
    const auto centre = [&](int tile) { return std::pair{layout.Slot(tile).left + 20, layout.Slot(tile).top + 20}; };
    const float truth = 9.25f / 11.25f;
    ExpectPixel(png, centre(2).first, centre(2).second, {truth, truth, truth}, true);
    ExpectPixel(png, centre(0).first, centre(0).second, HeadOn({0.5f, 0.5f, 0.5f, 3.0f, 3.0f, 3.0f}), true);
    ExpectPixel(png, centre(3).first, centre(3).second,
                HeadOn({kRisingAtChannels[0], kRisingAtChannels[1], kRisingAtChannels[2], kRisingAtChannels[3],
                        kRisingAtChannels[4], kRisingAtChannels[5]}),
                true);
    // The rising metal's fitted map is far closer to its truth than its sampled one.
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    const metal_colour::SpectralColour risingTruth(
        metal_colour::MetalSpectrum(nkdata::ReadNkFile(rising)), observer,
        metal_colour::RenderingSpace(metal_colour::RenderingSpaceId::kSrgb, observer.White()));
    const metal_colour::LinearRgb head = risingTruth.At(1.0);
    const double truthChannels[3] = {head.r, head.g, head.b};
    for (int c = 0; c < 3; ++c) {
        const auto error = [&](int tile) {
            return std::fabs(png.Sample(centre(tile).first, centre(tile).second, c) / 65535.0 - truthChannels[c]);
        };
        EXPECT_LT(error(4), 0.2 * error(3)) << "channel " << c;
        EXPECT_NEAR(png.Sample(centre(5).first, centre(5).second, c), truthChannels[c] * 65535.0, 1.0);
    }
}

TEST_F(ToolTest, LitSphereKeepsTheMapsHueUnderGreyLight) {
    const test_support::PngPixels plain = Render({"--size", "51", "--linear"}, "plain.png");
    const test_support::PngPixels lit = Render({"--lit", "--size", "51", "--linear"}, "lit.png");
    const SampleSphere sphere(51);
    int compared = 0;
    int changed = 0;
    for (int y = 0; y < 51; ++y) {
        for (int x = 0; x < 51; ++x) {
            if (!sphere.At(x, y) || lit.Sample(x, y, 0) == 65535 || lit.Sample(x, y, 2) < 2000) {
                continue;  // background, clipped highlights and deep shadow
            }
            const double light = static_cast<double>(lit.Sample(x, y, 0)) / plain.Sample(x, y, 0);
            for (int c = 1; c < 3; ++c) {
                EXPECT_NEAR(static_cast<double>(lit.Sample(x, y, c)) / plain.Sample(x, y, c), light, 0.01 * light)
                    << x << "," << y;
            }
            ++compared;
            changed += std::fabs(light - 1.0) > 0.05;
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(changed, compared / 2);
}

TEST_F(ToolTest, AcescgPicturesAreShownInSrgb) {
    // The published ACEScg to sRGB matrix (Bradford from the ACES white to D65).
    const double toSrgb[3][3] = {
        {1.705052, -0.621791, -0.083261}, {-0.130259, 1.140803, -0.010545}, {-0.024003, -0.128969, 1.152972}};
    // Sampled at the channel wavelengths, the map's values are the same in every space.
    const test_support::PngPixels png = Render(
        {"--nk", Write("metal.txt", kRisingTable), "--fit", "three", "--rendering-space", "acescg", "--size", "41"});
    const Rgb headOn = HeadOn({kRisingAtChannels[0], kRisingAtChannels[1], kRisingAtChannels[2], kRisingAtChannels[3],
                               kRisingAtChannels[4], kRisingAtChannels[5]});
    const float linear[3] = {headOn.r, headOn.g, headOn.b};
    for (int row = 0; row < 3; ++row) {
        const double shown = toSrgb[row][0] * linear[0] + toSrgb[row][1] * linear[1] + toSrgb[row][2] * linear[2];
        EXPECT_NEAR(png.Sample(20, 20, row), EncodeSrgb8(static_cast<float>(shown)), 1) << "channel " << row;
    }
}

TEST_F(ToolTest, PlotOfMeasuredDataAddsTheIntegratedCurves) {
    // Only the integrated curves are drawn in red without any green.
    const auto deepRed = [](const test_support::PngPixels& png) {
        int count = 0;
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                count += png.Sample(x, y, 0) > 150 && png.Sample(x, y, 1) < 10 && png.Sample(x, y, 2) < 10;
            }
        }
        return count;
    };
    EXPECT_GT(deepRed(Render({"--plot", "--nk", Write("metal.txt", kRisingTable)}, "measured.png")), 200);
    EXPECT_EQ(deepRed(Render({"--plot", "--preset", "copper"}, "preset.png")), 0);
}

}  // namespace
}  // namespace aurivel::preview
