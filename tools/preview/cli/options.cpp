#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <vector>

#include "base/errors.h"
#include "base/numbers.h"
#include "cli/option_table.h"
#include "metal_colour/channel_wavelengths.h"
#include "metal_colour/fit.h"
#include "metal_colour/metal_library.h"
#include "metal_colour/metal_spectrum.h"
#include "nkdata/nk_database.h"
#include "presets/parameter_names.h"
#include "presets/preset_table.h"

namespace aurivel::preview {
namespace {

// An option as the command line gave it.
struct GivenOption {
    const OptionRow* row;
    std::string spelling;  // "-o" or "--output"
};

const OptionRow* FindOption(const std::string& spelling) {
    for (const OptionRow& row : OptionTable()) {
        if (spelling == row.name || (row.shortName != nullptr && spelling == row.shortName)) {
            return &row;
        }
    }
    return nullptr;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : ", ") + name;
    }
    return joined;
}

std::string ViewOptionNames() {
    std::vector<std::string> names;
    for (const OptionRow& row : OptionTable()) {
        if (row.selects != View::kSphere) {
            names.emplace_back(row.name);
        }
    }
    return Joined(names);
}

void SetView(Options& options, View view, const std::string& option) {
    if (options.view != View::kSphere) {
        throw UsageError(option + " cannot be combined with another of " + ViewOptionNames());
    }
    options.view = view;
}

// The same option twice (-o and --output are one) would leave one of the two
// values unused without a word.
void RefuseRepeat(const GivenOption& option, const std::vector<GivenOption>& given) {
    if (option.row->repeatable) {
        return;
    }
    for (const GivenOption& earlier : given) {
        if (earlier.row == option.row) {
            throw UsageError(option.spelling + " is given twice; give it once");
        }
    }
}
// The option that gives n and k, for messages; empty when there is none.
std::string NkOption(const Options& options) { return options.nkCsv ? "--nk-csv" : !options.nk.empty() ? "--nk" : ""; }

void CheckNkDatabase(const Options& options) {
    if (!options.nk.empty() && options.nkCsv) {
        throw UsageError("--nk and --nk-csv both give n and k; give one of them");
    }
    if (options.nk.size() > 1 && options.view != View::kAtlas) {
        throw UsageError("--nk is given once, except with --atlas");
    }
    if (options.view == View::kAtlas) {
        return;  // an atlas takes --nk-db with --nk or --nk-list: CheckAtlasOptions
    }
    if (options.nkDb && options.nkCsv) {
        throw UsageError("--nk-csv reads a file; it takes no --nk-db");
    }
    if (options.nkList && !options.nkDb) {
        throw UsageError("--nk-list needs --nk-db DIR, the folder of the database");
    }
    if (options.nkDb && options.nk.empty() && !options.nkList && options.view != View::kCompare) {
        throw UsageError("--nk-db needs --nk shelf/book/page or --nk-list shelf/book");
    }
}

void CheckSpectralOptions(const Options& options, const std::string& nk) {
    if (options.view == View::kCompare) {
        if (options.compareFiles.empty() == !options.nkDb) {
            throw UsageError("--compare needs data files, or --nk-db DIR alone for the ten metals");
        }
    } else if (!options.compareFiles.empty()) {
        throw UsageError("unknown argument '" + options.compareFiles.front() + "' (data files go with --compare)");
    }
    if (nk.empty() && options.view != View::kCompare) {
        for (const auto& [given, option] : {std::pair{options.fit.has_value(), "--fit"},
                                            std::pair{options.renderingSpace.has_value(), "--rendering-space"}}) {
            if (given) {
                throw UsageError(std::string(option) +
                                 " chooses how measured n and k become the map's; it needs --nk or --nk-csv");
            }
        }
    }
}

// An atlas shows database pages fitted for both rendering spaces, with
// pictures of its own making.
void CheckAtlasOptions(const Options& options) {
    if (!options.nkDb) {
        throw UsageError("--atlas needs --nk-db DIR, the folder of the database");
    }
    if (options.nkList && !options.nk.empty()) {
        throw UsageError("--atlas takes its pages from --nk or from --nk-list, not from both");
    }
    const auto parsedList = options.nkList ? nkdata::ParseDatabaseId(*options.nkList) : std::nullopt;
    if (parsedList && parsedList->kind == nkdata::DatabaseId::Kind::kShelf) {
        throw UsageError("--atlas takes a book with --nk-list shelf/book, not a shelf");
    }
}

void CheckCombination(const Options& options) {
    CheckNkDatabase(options);
    if (options.view == View::kAtlas) {
        CheckAtlasOptions(options);
        return;
    }
    const std::string nk = NkOption(options);
    if (!nk.empty() && options.preset) {
        throw UsageError(nk + " makes a Custom map; it cannot be combined with --preset");
    }
    if (!nk.empty() && options.loadFile) {
        throw UsageError(nk + " and --load both choose the map; give one of them");
    }
    CheckSpectralOptions(options, nk);
}

struct WhatIsShown {
    unsigned shown;    // a Shown bit
    std::string name;  // for messages
};

WhatIsShown WhatTheCommandShows(const Options& options) {
    switch (options.view) {
        case View::kSheet:
            return {kShowsSheet, "--sheet"};
        case View::kPlot:
            return {kShowsPlot, "--plot"};
        case View::kInfo:
            return {kShowsInfo, "--info"};
        case View::kCompare:
            return {kShowsCompare, "--compare"};
        case View::kAtlas:
            return {kShowsAtlas, "--atlas"};
        case View::kIntroduction:  // chosen only when no option is given
            return {kShowsIntroduction, "the introduction (no arguments)"};
        case View::kSphere:
            break;
    }
    if (options.nkList) {
        return {kShowsPageList, "--nk-list"};
    }
    if (options.maxscript) {
        return {kShowsScript, "--maxscript"};
    }
    return {kShowsSphere, "the sample sphere (no view option)"};
}

// The spellings of the options that a view takes, beyond those every view
// takes, in alphabetical order.
std::string OptionsTakenBy(unsigned shown) {
    std::set<std::string> names;
    for (const OptionRow& row : OptionTable()) {
        if ((row.takenBy & shown) != 0 && row.takenBy != kShownByEveryView) {
            names.insert(row.name);
            if (row.shortName != nullptr) {
                names.insert(row.shortName);
            }
        }
    }
    return Joined({names.begin(), names.end()});
}

// An option that the chosen view would ignore is refused.
void CheckTheViewTakes(const Options& options, const std::vector<GivenOption>& given) {
    const WhatIsShown view = WhatTheCommandShows(options);
    for (const GivenOption& option : given) {
        if ((option.row->takenBy & view.shown) == 0) {
            throw UsageError(option.spelling + " does not go with " + view.name + ", which takes " +
                             OptionsTakenBy(view.shown) + " (and --module)");
        }
    }
}

// A picture named as another kind would be a PNG that viewers misread.
void RequirePngName(const std::string& output) {
    std::string extension = std::filesystem::path(output).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!extension.empty() && extension != ".png") {
        throw UsageError("-o " + output + ": the tool writes PNG pictures only; give a name ending in .png");
    }
}

// The value that the option at args[i] takes (from "--name=value" or the
// next argument, which it then consumes).
std::string TakeValue(const std::string& name, const std::optional<std::string>& inlineValue,
                      const std::vector<std::string>& args, std::size_t& i) {
    if (!inlineValue && i + 1 == args.size()) {
        throw UsageError(name + " needs a value");
    }
    const std::string& value = inlineValue ? *inlineValue : args[++i];
    if (value.empty()) {
        throw UsageError(name + " needs a value, not an empty one");
    }
    return value;
}

// --- help ---

constexpr std::size_t kHelpWidth = 78;
constexpr std::size_t kExplanationColumn = 22;

std::size_t Columns(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The paragraph's words, the first line starting at `column`, wrapped to the
// help's width under its column of explanations.
std::string Wrapped(const std::string& paragraph, std::size_t column) {
    std::string text;
    std::size_t lineStart = 0;
    for (std::size_t start = 0; start < paragraph.size();) {
        const std::size_t end = std::min(paragraph.find(' ', start), paragraph.size());
        const std::string word = paragraph.substr(start, end - start);
        start = end + 1;
        if (text.size() > lineStart && column + 1 + Columns(word) > kHelpWidth) {
            text += "\n" + std::string(kExplanationColumn, ' ');
            lineStart = text.size();
            column = kExplanationColumn;
        } else if (text.size() > lineStart) {
            text += ' ';
            ++column;
        }
        text += word;
        column += Columns(word);
    }
    return text;
}

void ReplaceAll(std::string& text, const std::string& mark, const std::string& value) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
        text.replace(at, mark.size(), value);
    }
}

// "0, 30, 60, 75 and 85": the angles at which fits are judged.
std::string ReportAngleList() {
    std::string list;
    for (std::size_t i = 0; i < metal_colour::kReportAngles.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == metal_colour::kReportAngles.size() ? " and " : ", ";
        list += separator + ShortestDecimal(metal_colour::kReportAngles[i]);
    }
    return list;
}

// "Custom, Silver, ... Copper (the default), ...": the preset list's names.
std::string PresetNameList() {
    std::vector<std::string> names{kCustomPresetName};
    for (const Preset& preset : kPresets) {
        names.emplace_back(preset.name);
    }
    names[kDefaultPreset] += " (the default)";
    return Joined(names);
}

// The text with {R}, {G} and {B} as the channels' wavelengths, {visible} as
// the visible range, {angles} as ReportAngleList, {presets} as
// PresetNameList, {metals} as the metal library's names, {parameters} as
// the names of the parameters that --set sets.
std::string Filled(std::string text) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
        ReplaceAll(text, std::string("{") + "RGB"[channel] + "}", metal_colour::ChannelMicrometres(channel));
    }
    ReplaceAll(text, "{visible}", metal_colour::VisibleRangeName());
    ReplaceAll(text, "{angles}", ReportAngleList());
    ReplaceAll(text, "{presets}", PresetNameList());
    ReplaceAll(text, "{metals}", metal_colour::MetalNames());
    ReplaceAll(text, "{parameters}", Joined({kSettableParameters.begin(), kSettableParameters.end()}));
    return text;
}

// "  -o, --output FILE   the PNG to write ...", wrapped.
std::string HelpEntry(const OptionRow& row) {
    std::string names = std::string("  ") + (row.shortName != nullptr ? std::string(row.shortName) + ", " : "") +
                        row.name + (row.argument != nullptr ? std::string(" ") + row.argument : "");
    names.resize(std::max(names.size() + 1, kExplanationColumn), ' ');
    return names + Wrapped(Filled(row.help), names.size()) + "\n";
}

struct HelpSectionText {
    HelpSection section;
    const char* heading;
    const char* after;  // a note below the section's options
};

constexpr HelpSectionText kHelpSections[]{
    {HelpSection::kWhatToShow,
     "What to show (default: one sample sphere; without any argument, the default\n"
     "copper map's colour beside the same map as polished metal, labelled):\n",
     "  With --plot and measured n and k, each channel's integrated curve is drawn\n  too.\n"},
    {HelpSection::kChoosingTheMap, "\nChoosing the map:\n", ""},
    {HelpSection::kMeasured, "\nMeasured n and k (--nk, --nk-csv, --compare):\n", ""},
    {HelpSection::kOutput, "\nOutput:\n", ""},
};

constexpr const char* kHelpIntroduction = R"(aurivel-preview: try the Aurivel texture map without 3ds Max.

Aurivel.dlt is a 3ds Max texture map that colours a surface by the Fresnel
reflectance of a metal, computed from the metal's complex index of refraction
n + ik for red ({R} µm), green ({G} µm) and blue ({B} µm). This tool
loads the module as 3ds Max does, creates a map, sets its parameters by the
names that MAXScript uses, and renders it on the material editor's sample
sphere in front of a grey checker. The picture is written as a PNG.

Usage: aurivel-preview [options]

)";

constexpr const char* kHelpClosing = R"(
Examples:
  aurivel-preview                           copper ball -> preview.png
  aurivel-preview --preset gold -o gold.png
  aurivel-preview --preset silver --set gamma=2.2 --set hue=-20
  aurivel-preview --sheet -o metals.png
  aurivel-preview --plot --preset titanium -o titanium-curve.png
  aurivel-preview --nk-csv data/examples/Cu.csv -o measured-copper.png
  aurivel-preview --nk-db data/refractiveindex.info --nk main/Au/Johnson
  aurivel-preview --nk-db data/refractiveindex.info --nk-list main/Au
  aurivel-preview --nk-db data/refractiveindex.info --compare -o metals.png
  aurivel-preview --nk-db data/refractiveindex.info --atlas atlas
  aurivel-preview --nk data/examples/measured.txt --rendering-space acescg \
                  --maxscript
  aurivel-preview --preset copper --lit -o copper-lit.png
  aurivel-preview --preset gold --save gold.scene
  aurivel-preview --load gold.scene -o again.png

Each view takes only the options that it uses: an option that it would
ignore (-o with --atlas, --size with --plot, --rendering-space without
measured n and k) is refused, naming the view and what it takes.

Exit status: 0 on success, 1 when a file or its data is bad, 2 when the
command line is wrong.
)";

}  // namespace

Options ParseCommandLine(const std::vector<std::string>& args) {
    Options options;
    if (args.empty()) {
        options.view = View::kIntroduction;
    }
    std::vector<GivenOption> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        const OptionRow* row = FindOption(name);
        if (row == nullptr && name.empty()) {
            throw UsageError("an empty argument, where a file name or an option was expected");
        }
        if (row == nullptr && name.front() != '-') {
            options.compareFiles.push_back(name);
            continue;
        }
        if (row == nullptr || (!row->takesValue && inlineValue)) {
            throw UsageError("unknown argument '" + args[i] + "' (see --help)");
        }
        const std::string value = row->takesValue ? TakeValue(name, inlineValue, args, i) : std::string();
        const GivenOption option{row, name};
        RefuseRepeat(option, given);
        if (row->selects != View::kSphere) {
            SetView(options, row->selects, name);
        }
        if (row->apply != nullptr) {
            row->apply(options, value);
        }
        given.push_back(option);
    }
    CheckCombination(options);
    if (!options.help && !options.version) {
        CheckTheViewTakes(options, given);
    }
    RequirePngName(options.output);
    return options;
}

std::string HelpText() {
    std::string help = Filled(kHelpIntroduction);
    for (const HelpSectionText& section : kHelpSections) {
        help += section.heading;
        for (const OptionRow& row : OptionTable()) {
            if (row.section == section.section) {
                help += HelpEntry(row);
            }
        }
        help += section.after;
    }
    return help + kHelpClosing;
}

}  // namespace aurivel::preview
