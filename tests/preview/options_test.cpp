#include "cli/options.h"

#include <iterator>
#include <ostream>
#include <set>
#include <sstream>
#include <gtest/gtest.h>

#include "base/errors.h"
#include "cli/option_table.h"

namespace aurivel::preview {
namespace {

TEST(OptionsTest, NoArgumentsIntroduceTheDefaultMapAndAnyArgumentShowsTheSphere) {
    EXPECT_EQ(ParseCommandLine({"-o", "preview.png"}).view, View::kSphere);
    const Options options = ParseCommandLine({});
    EXPECT_EQ(options.view, View::kIntroduction);
    EXPECT_EQ(options.output, "preview.png");
    EXPECT_TRUE(options.modulePath.empty());
    EXPECT_FALSE(options.preset || options.nkCsv || options.loadFile || options.saveFile || options.size);
    EXPECT_FALSE(options.linear);
}

TEST(OptionsTest, ValuesTakeTheNextArgumentOrFollowAnEqualsSign) {
    const Options options = ParseCommandLine({"--preset", "gold", "-o", "a.png", "--size=101", "--set", "gamma=2.2",
                                              "--set=hue=-20", "--time", "-160", "--threads=3", "--linear"});
    EXPECT_EQ(options.preset, "gold");
    EXPECT_EQ(options.output, "a.png");
    EXPECT_EQ(options.size, 101);
    ASSERT_EQ(options.settings.size(), 2u);
    EXPECT_EQ(options.settings[0].name, "gamma");
    EXPECT_EQ(options.settings[0].value, "2.2");
    EXPECT_EQ(options.settings[1].name, "hue");
    EXPECT_EQ(options.settings[1].value, "-20");
    EXPECT_EQ(options.time, -160);
    EXPECT_EQ(options.threads, 3);
    EXPECT_TRUE(options.linear);
    EXPECT_EQ(options.view, View::kSphere);
}

struct BadCommandLine {
    std::vector<std::string> args;
    const char* message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadCommandLine& c, std::ostream* os) { *os << c.message; }

class BadCommandLineTest : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(BadCommandLineTest, IsAUsageError) {
    try {
        ParseCommandLine(GetParam().args);
        FAIL() << "accepted";
    } catch (const UsageError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLineTest,
    ::testing::Values(
        BadCommandLine{{"--bogus"}, "unknown argument '--bogus'"},
        BadCommandLine{{"picture.png"}, "unknown argument 'picture.png'"},
        BadCommandLine{{"--linear=yes"}, "unknown argument '--linear=yes'"},
        BadCommandLine{{"--output"}, "--output needs a value"}, BadCommandLine{{"--size", "100"}, "--size must be odd"},
        BadCommandLine{{"--size", "13"}, "--size must be odd"},
        BadCommandLine{{"--size", "big"}, "--size needs a whole number"},
        BadCommandLine{{"--threads", "0"}, "--threads must be from 1"},
        BadCommandLine{{"--time", "1.5"}, "--time needs a whole number"},
        BadCommandLine{{"--set", "gamma"}, "--set needs NAME=VALUE"},
        BadCommandLine{{"--set", "=2"}, "--set needs NAME=VALUE"},
        BadCommandLine{{"--sheet", "--plot"}, "cannot be combined"},
        BadCommandLine{{"--nk-csv", "a.csv", "--preset", "gold"}, "cannot be combined with --preset"},
        BadCommandLine{{"--nk-csv", "a.csv", "--load", "a.scene"}, "give one of them"},
        BadCommandLine{{"--sheet", "--preset", "gold"}, "--preset does not go with --sheet, which takes"},
        BadCommandLine{{"--nk", "a.yml", "--preset", "gold"}, "--nk makes a Custom map"},
        BadCommandLine{{"--nk", "a.yml", "--nk-csv", "a.csv"}, "--nk and --nk-csv both give n and k"},
        BadCommandLine{{"--nk-db", "d", "--nk-csv", "a.csv"}, "--nk-csv reads a file; it takes no --nk-db"},
        BadCommandLine{{"--nk-list", "main/Cu"}, "--nk-list needs --nk-db"},
        BadCommandLine{{"--nk-db", "d"}, "--nk-db needs --nk shelf/book/page or --nk-list"},
        BadCommandLine{{"--nk-db", "d", "--nk-list", "main/Cu", "--nk", "main/Cu/Johnson"},
                       "--nk does not go with --nk-list, which takes --nk-db, --nk-list (and"},
        BadCommandLine{{"--nk", "a.yml", "--fit", "best"}, "--fit is spectral or three, not 'best'"},
        BadCommandLine{{"--rendering-space", "p3"}, "--rendering-space is srgb or acescg"},
        BadCommandLine{{"--fit", "three"}, "--fit chooses how measured n and k"},
        BadCommandLine{{"--compare"}, "--compare needs data files"},
        BadCommandLine{{"--compare", "a.yml", "--nk-db", "db"}, "--compare needs data files, or"},
        BadCommandLine{{"--compare", "a.yml", "--preset", "gold"}, "--preset does not go with --compare"},
        BadCommandLine{{"--compare", "a.yml", "--fit", "three"}, "--fit does not go with --compare"},
        BadCommandLine{{"--compare", "--sheet", "a.yml"}, "cannot be combined"},
        BadCommandLine{{"--maxscript", "--plot"}, "--maxscript does not go with --plot"},
        BadCommandLine{{"--lit", "--plot"}, "--lit does not go with --plot"},
        BadCommandLine{{"--plot", "--size", "101"}, "--size does not go with --plot"},
        BadCommandLine{{"--info", "--preset", "gold"}, "--preset does not go with --info"},
        BadCommandLine{{"--maxscript", "-o", "a.png"}, "-o does not go with --maxscript"},
        BadCommandLine{{"--sheet", "--threads", "2", "--load", "a.scene"}, "--load does not go with"},
        BadCommandLine{{"--nk-db", "d", "--nk-list", "main/Cu", "--output", "a.png"},
                       "--output does not go with --nk-list"},
        BadCommandLine{{"--rendering-space", "acescg"}, "it needs --nk or --nk-csv"},
        BadCommandLine{{"--atlas", "out", "--nk-db", "d", "-o", "a.png"}, "-o does not go with --atlas, which takes"},
        BadCommandLine{{"--nk", "a.yml", "--nk", "b.yml"}, "--nk is given once, except with --atlas"},
        BadCommandLine{{"--atlas", "out"}, "--atlas needs --nk-db"},
        BadCommandLine{{"--atlas", "out", "--nk-db", "d", "--nk-list", "main"}, "not a shelf"},
        BadCommandLine{{"--atlas", "out", "--nk-db", "d", "--rendering-space", "acescg"},
                       "--rendering-space does not go with --atlas"},
        BadCommandLine{{"--atlas", "out", "--compare"}, "cannot be combined"},
        BadCommandLine{{"--atlas", "", "--nk-db", "d"}, "--atlas needs a value, not an empty one"},
        BadCommandLine{{"--atlas=", "--nk-db", "d"}, "--atlas needs a value, not an empty one"},
        BadCommandLine{{"-o", ""}, "-o needs a value, not an empty one"},
        BadCommandLine{{"--save", ""}, "--save needs a value, not an empty one"},
        BadCommandLine{{"--compare", ""}, "an empty argument"},
        BadCommandLine{{"--preset", "gold", "--preset", "silver"}, "--preset is given twice"},
        BadCommandLine{{"-o", "a.png", "--output", "b.png"}, "--output is given twice"},
        BadCommandLine{{"--lit", "--lit"}, "--lit is given twice"},
        BadCommandLine{{"-o", "x.jpg"}, "-o x.jpg: the tool writes PNG pictures only"},
        BadCommandLine{{"--sheet", "--output=Metals.JPEG"}, "-o Metals.JPEG: the tool writes PNG"},
        BadCommandLine{{"--time", "99999999999"}, "not '99999999999', which is out of range"}));

TEST(OptionsTest, MeasuredMetalOptions) {
    const Options compare =
        ParseCommandLine({"--compare", "a.yml", "b.yml", "--rendering-space=acescg", "--lit", "--size", "101"});
    EXPECT_EQ(compare.view, View::kCompare);
    EXPECT_EQ(compare.compareFiles, (std::vector<std::string>{"a.yml", "b.yml"}));
    EXPECT_EQ(compare.renderingSpace, RenderingSpaceChoice::kAcescg);
    EXPECT_TRUE(compare.lit);
    EXPECT_FALSE(compare.fit);
    const Options script = ParseCommandLine({"--nk", "a.yml", "--fit", "three", "--maxscript"});
    EXPECT_EQ(script.fit, FitMethod::kThree);
    EXPECT_FALSE(script.renderingSpace);
    EXPECT_TRUE(script.maxscript);
    EXPECT_EQ(ParseCommandLine({"--nk-db", "db", "--compare"}).view, View::kCompare);
    const Options atlas = ParseCommandLine({"--atlas", "out", "--nk-db", "db", "--nk", "a/b/c", "--nk", "a/b/d"});
    EXPECT_EQ(atlas.view, View::kAtlas);
    EXPECT_EQ(atlas.atlasFolder, "out");
    EXPECT_EQ(atlas.nk, (std::vector<std::string>{"a/b/c", "a/b/d"}));
}

// The spellings of a row: its name, and its short name if it has one.
std::vector<std::string> Spellings(const OptionRow& row) {
    std::vector<std::string> spellings{row.name};
    if (row.shortName != nullptr) {
        spellings.emplace_back(row.shortName);
    }
    return spellings;
}

// An option shadowed by another of the same spelling could never be given.
TEST(OptionTableTest, NoTwoOptionsShareASpelling) {
    std::set<std::string> seen;
    for (const OptionRow& row : OptionTable()) {
        for (const std::string& spelling : Spellings(row)) {
            EXPECT_TRUE(seen.insert(spelling).second) << spelling;
        }
    }
}

// Each spelling of each option, alone and with a value after it or after
// "=", is the option to the parser: accepted, or refused for what it needs,
// never as an unknown argument.
TEST(OptionTableTest, TheParserKnowsEverySpellingOfEveryOption) {
    for (const OptionRow& row : OptionTable()) {
        for (const std::string& spelling : Spellings(row)) {
            std::vector<std::vector<std::string>> commandLines{{spelling}};
            if (row.takesValue) {
                commandLines.push_back({spelling, "value"});
            }
            if (row.takesValue && spelling.rfind("--", 0) == 0) {
                commandLines.push_back({spelling + "=value"});
            }
            for (const std::vector<std::string>& args : commandLines) {
                try {
                    ParseCommandLine(args);
                } catch (const UsageError& e) {
                    EXPECT_EQ(std::string(e.what()).find("unknown argument"), std::string::npos)
                        << args.back() << ": " << e.what();
                }
            }
        }
    }
}

// The help's lines that begin with an option name each option of the
// table, once: every section of options is shown.
TEST(OptionsTest, HelpHasOneEntryForEachOption) {
    std::multiset<std::string> entries;
    std::istringstream lines(HelpText());
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line.rfind("  -", 0) == 0 ? line : "");
        for (std::string word; words >> word && word.front() == '-';) {
            entries.insert(word.back() == ',' ? word.substr(0, word.size() - 1) : word);
        }
    }
    std::multiset<std::string> options;
    for (const OptionRow& row : OptionTable()) {
        for (const std::string& spelling : Spellings(row)) {
            options.insert(spelling);
        }
    }
    EXPECT_EQ(entries, options);
}

// Within a terminal's 80 columns, counting characters, not UTF-8 bytes, and
// laid out as a user sees it: names, then the explanation in its column,
// wrapped under it, with what it names filled in.
TEST(OptionsTest, HelpLinesAreWhatAUserSees) {
    const std::string help = HelpText();
    std::size_t line = 0;
    for (std::size_t start = 0, end; start < help.size(); start = end + 1, ++line) {
        end = help.find('\n', start);
        end = end == std::string::npos ? help.size() : end;
        std::size_t columns = 0;
        for (std::size_t i = start; i < end; ++i) {
            columns += (static_cast<unsigned char>(help[i]) & 0xC0) != 0x80;
        }
        EXPECT_LE(columns, 80u) << "line " << line + 1 << ": " << help.substr(start, end - start);
    }
    for (const char* entry : {
             "  -o, --output FILE   the PNG to write (default: preview.png); a name with\n"
             "                      another extension than .png is refused\n",
             "  --set NAME=VALUE    set a parameter by its internal name, as MAXScript does:\n"
             "                      preset, nrvalue, ngvalue, nbvalue, krvalue, kgvalue,\n"
             "                      kbvalue, gamma, hue, sat (may be repeated; applied in\n"
             "                      order, after --preset and --nk)\n",
             "  --threads N         render threads (default: one per core)\n",
             "largest \xCE\x94"
             "E2000 at the view angles 0, 30, 60, 75 and 85\xC2\xB0",
         }) {
        EXPECT_NE(help.find(entry), std::string::npos) << entry;
    }
}

// The help's examples, continuation lines joined, each without the program's
// name and the note that follows it after a gap.
std::vector<std::vector<std::string>> HelpExamples(const std::string& help) {
    std::istringstream lines(help.substr(help.find("Examples:")));
    std::vector<std::vector<std::string>> examples;
    std::string line;
    std::string command;
    while (std::getline(lines, line)) {
        command += line.substr(line.find_first_not_of(' ') == std::string::npos ? 0 : line.find_first_not_of(' '));
        if (!command.empty() && command.back() == '\\') {
            command.back() = ' ';
            continue;
        }
        if (command.rfind("aurivel-preview", 0) == 0) {
            std::istringstream words(command.substr(0, command.find("  ")));
            examples.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
            examples.back().erase(examples.back().begin());
        }
        command.clear();
    }
    return examples;
}

TEST(OptionsTest, EveryHelpExampleIsACommandLineThatParses) {
    const auto examples = HelpExamples(HelpText());
    EXPECT_GE(examples.size(), 10u);
    for (const std::vector<std::string>& example : examples) {
        std::string shown;
        for (const std::string& word : example) {
            shown += " " + word;
        }
        EXPECT_NO_THROW(ParseCommandLine(example)) << shown;
    }
}

TEST(OptionsTest, PngNamesAndVersionAreAccepted) {
    EXPECT_EQ(ParseCommandLine({"-o", "Gold.PNG"}).output, "Gold.PNG");
    EXPECT_EQ(ParseCommandLine({"-o", "gold"}).output, "gold");
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
}

}  // namespace
}  // namespace aurivel::preview
