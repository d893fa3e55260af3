#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "metal_colour/channel_wavelengths.h"
#include "metal_colour/fit.h"
#include "cli/errors.h"
#include "metal_colour/metal_spectrum.h"
#include "nkdata/nk_database.h"
#include "cli/numbers.h"
#include "presets/preset_table.h"

namespace aurivel::preview {
namespace {

constexpr int kMinSize = 15;
constexpr int kMaxSize = 4095;
constexpr int kMaxThreads = 256;

int ParseInt(const std::string& option, const std::string& text) {
    const std::optional<int> value = ParseNumber<int>(text);
    if (!value) {
        throw UsageError(option + " needs a whole number, not '" + text + "'" +
                         (OutOfRange<int>(text) ? ", which is out of range" : ""));
    }
    return *value;
}

int ParseSize(const std::string& text) {
    const int size = ParseInt("--size", text);
    if (size < kMinSize || size > kMaxSize || size % 2 == 0) {
        throw UsageError("--size must be odd, from " + std::to_string(kMinSize) + " to " + std::to_string(kMaxSize) +
                         " (an odd size puts a pixel centre exactly head-on)");
    }
    return size;
}

int ParseThreads(const std::string& text) {
    const int threads = ParseInt("--threads", text);
    if (threads < 1 || threads > kMaxThreads) {
        throw UsageError("--threads must be from 1 to " + std::to_string(kMaxThreads));
    }
    return threads;
}

ParameterSetting ParseSetting(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
        throw UsageError("--set needs NAME=VALUE, not '" + text + "'");
    }
    return {text.substr(0, equals), text.substr(equals + 1)};
}

void SetView(Options& options, View view, const std::string& option) {
    if (options.view != View::kSphere) {
        throw UsageError(option + " cannot be combined with another of --sheet, --plot, --info, --compare, --atlas");
    }
    options.view = view;
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

FitMethod ParseFit(const std::string& text) {
    if (text == "spectral" || text == "three") {
        return text == "spectral" ? FitMethod::kSpectral : FitMethod::kThree;
    }
    throw UsageError("--fit is spectral or three, not '" + text + "'");
}

RenderingSpaceChoice ParseRenderingSpace(const std::string& text) {
    if (text == "srgb" || text == "acescg") {
        return text == "srgb" ? RenderingSpaceChoice::kSrgb : RenderingSpaceChoice::kAcescg;
    }
    throw UsageError("--rendering-space is srgb or acescg, not '" + text + "'");
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

// A view and the options that it takes; --module and --help go with every one.
struct ViewOptions {
    std::string name;
    std::set<std::string> takes;
};

const std::set<std::string> kMapChoice{"--preset",          "--set",  "--nk",   "--nk-csv", "--nk-db", "--fit",
                                       "--rendering-space", "--load", "--save", "--time"};
const std::set<std::string> kPicture{"-o", "--output", "--linear"};
const std::set<std::string> kRendering{"--size", "--threads", "--progress"};

std::set<std::string> Joined(std::initializer_list<std::set<std::string>> sets) {
    std::set<std::string> joined;
    for (const std::set<std::string>& set : sets) {
        joined.insert(set.begin(), set.end());
    }
    return joined;
}

ViewOptions OptionsOfTheView(const Options& options) {
    switch (options.view) {
        case View::kSheet:
            return {"--sheet", Joined({kPicture, kRendering, {"--sheet", "--set", "--time", "--lit"}})};
        case View::kPlot:
            return {"--plot", Joined({kPicture, kMapChoice, {"--plot"}})};
        case View::kInfo:
            return {"--info", {"--info"}};
        case View::kCompare:
            return {"--compare",
                    Joined({kPicture, kRendering, {"--compare", "--nk-db", "--rendering-space", "--time", "--lit"}})};
        case View::kAtlas:
            return {"--atlas", Joined({kRendering, {"--atlas", "--nk-db", "--nk", "--nk-list", "--time"}})};
        case View::kIntroduction:  // chosen only when no option is given
            return {"the introduction (no arguments)", {}};
        case View::kSphere:
            break;
    }
    if (options.nkList) {
        return {"--nk-list", {"--nk-list", "--nk-db"}};
    }
    if (options.maxscript) {
        return {"--maxscript", Joined({kMapChoice, {"--maxscript"}})};
    }
    return {"the sample sphere (no view option)", Joined({kPicture, kRendering, kMapChoice, {"--lit"}})};
}

// An option that the chosen view would ignore is refused.
void CheckTheViewTakes(const Options& options, const std::vector<std::string>& given) {
    const ViewOptions view = OptionsOfTheView(options);
    for (const std::string& option : given) {
        if (option != "--module" && option != "-h" && option != "--help" && option != "--version" &&
            view.takes.count(option) == 0) {
            std::string takes;
            for (const std::string& taken : view.takes) {
                takes += (takes.empty() ? "" : ", ") + taken;
            }
            throw UsageError(option + " does not go with " + view.name + ", which takes " + takes + " (and --module)");
        }
    }
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

// "Custom, Silver, ... Copper (the default), ...": the preset list's names,
// wrapped to the help's width under its column of explanations.
std::string PresetNameList() {
    constexpr std::size_t kHelpWidth = 78;
    constexpr std::size_t kExplanationColumn = 22;
    std::vector<std::string> names{kCustomPresetName};
    for (const Preset& preset : kPresets) {
        names.emplace_back(preset.name);
    }
    names[kDefaultPreset] += " (the default)";
    std::string list;
    std::size_t lineLength = kExplanationColumn;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string item = names[i] + (i + 1 < names.size() ? "," : "");
        if (i > 0 && lineLength + 1 + item.size() > kHelpWidth) {
            list += "\n" + std::string(kExplanationColumn, ' ');
            lineLength = kExplanationColumn;
        } else if (i > 0) {
            list += ' ';
            ++lineLength;
        }
        list += item;
        lineLength += item.size();
    }
    return list;
}

// The text with {R}, {G} and {B} as the channels' wavelengths and {visible}
// as the visible range, {angles} as ReportAngleList, {presets} as
// PresetNameList.
std::string WithWavelengths(std::string text) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
        ReplaceAll(text, std::string("{") + "RGB"[channel] + "}", metal_colour::ChannelMicrometres(channel));
    }
    ReplaceAll(text, "{visible}", metal_colour::VisibleRangeName());
    ReplaceAll(text, "{angles}", ReportAngleList());
    ReplaceAll(text, "{presets}", PresetNameList());
    return text;
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

// The options that may be given more than once, each adding to a list.
const std::set<std::string> kRepeatable{"--set", "--nk"};

// The same option twice (-o and --output are one) would leave one of the two
// values unused without a word.
void RefuseRepeat(const std::string& name, const std::vector<std::string>& given) {
    const auto spelling = [](const std::string& option) {
        return option == "-o" ? std::string("--output") : option == "-h" ? std::string("--help") : option;
    };
    if (kRepeatable.count(name) != 0) {
        return;
    }
    for (const std::string& earlier : given) {
        if (spelling(earlier) == spelling(name)) {
            throw UsageError(name + " is given twice; give it once");
        }
    }
}

}  // namespace

Options ParseCommandLine(const std::vector<std::string>& args) {
    Options options;
    if (args.empty()) {
        options.view = View::kIntroduction;
    }
    using Handler = std::function<void(const std::string&)>;
    const std::map<std::string, Handler> withValue{
        {"-o", [&](const std::string& v) { options.output = v; }},
        {"--output", [&](const std::string& v) { options.output = v; }},
        {"--module", [&](const std::string& v) { options.modulePath = v; }},
        {"--preset", [&](const std::string& v) { options.preset = v; }},
        {"--set", [&](const std::string& v) { options.settings.push_back(ParseSetting(v)); }},
        {"--nk-csv", [&](const std::string& v) { options.nkCsv = v; }},
        {"--nk", [&](const std::string& v) { options.nk.push_back(v); }},
        {"--nk-db", [&](const std::string& v) { options.nkDb = v; }},
        {"--nk-list", [&](const std::string& v) { options.nkList = v; }},
        {"--fit", [&](const std::string& v) { options.fit = ParseFit(v); }},
        {"--rendering-space", [&](const std::string& v) { options.renderingSpace = ParseRenderingSpace(v); }},
        {"--save", [&](const std::string& v) { options.saveFile = v; }},
        {"--load", [&](const std::string& v) { options.loadFile = v; }},
        {"--size", [&](const std::string& v) { options.size = ParseSize(v); }},
        {"--time", [&](const std::string& v) { options.time = ParseInt("--time", v); }},
        {"--threads", [&](const std::string& v) { options.threads = ParseThreads(v); }},
        {"--atlas",
         [&](const std::string& v) {
             SetView(options, View::kAtlas, "--atlas");
             options.atlasFolder = v;
         }},
    };
    const std::map<std::string, std::function<void()>> flags{
        {"--sheet", [&] { SetView(options, View::kSheet, "--sheet"); }},
        {"--plot", [&] { SetView(options, View::kPlot, "--plot"); }},
        {"--info", [&] { SetView(options, View::kInfo, "--info"); }},
        {"--compare", [&] { SetView(options, View::kCompare, "--compare"); }},
        {"--lit", [&] { options.lit = true; }},
        {"--maxscript", [&] { options.maxscript = true; }},
        {"--linear", [&] { options.linear = true; }},
        {"--progress", [&] { options.progress = true; }},
        {"-h", [&] { options.help = true; }},
        {"--help", [&] { options.help = true; }},
        {"--version", [&] { options.version = true; }},
    };
    std::vector<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        if (const auto flag = flags.find(name); flag != flags.end() && !inlineValue) {
            RefuseRepeat(name, given);
            flag->second();
            given.push_back(name);
        } else if (const auto option = withValue.find(name); option != withValue.end()) {
            if (!inlineValue && i + 1 == args.size()) {
                throw UsageError(name + " needs a value");
            }
            const std::string& value = inlineValue ? *inlineValue : args[++i];
            if (value.empty()) {
                throw UsageError(name + " needs a value, not an empty one");
            }
            RefuseRepeat(name, given);
            option->second(value);
            given.push_back(name);
        } else if (name.empty()) {
            throw UsageError("an empty argument, where a file name or an option was expected");
        } else if (name.rfind('-', 0) != 0) {
            options.compareFiles.push_back(name);
        } else {
            throw UsageError("unknown argument '" + args[i] + "' (see --help)");
        }
    }
    CheckCombination(options);
    if (!options.help && !options.version) {
        CheckTheViewTakes(options, given);
    }
    RequirePngName(options.output);
    return options;
}

std::string HelpText() {
    return WithWavelengths(R"(aurivel-preview: try the Aurivel texture map without 3ds Max.

Aurivel.dlt is a 3ds Max texture map that colours a surface by the Fresnel
reflectance of a metal, computed from the metal's complex index of refraction
n + ik for red ({R} µm), green ({G} µm) and blue ({B} µm). This tool
loads the module as 3ds Max does, creates a map, sets its parameters by the
names that MAXScript uses, and renders it on the material editor's sample
sphere in front of a grey checker. The picture is written as a PNG.

Usage: aurivel-preview [options]

What to show (default: one sample sphere; without any argument, the default
copper map's colour beside the same map as polished metal, labelled):
  --sheet             all ten metal presets side by side, each labelled
  --plot              reflectance of R, G and B against the view angle, with
                      the exact conductor Fresnel curves dashed for comparison
  --info              print the module's description, version, class and the
                      parameter table (name, type, default, range); no picture
  --compare [FILE...] for each n/k data file (or, with --nk-db DIR alone, the
                      ten metal presets' measured data) three spheres side by
                      side: the map with n and k sampled at the channel
                      wavelengths, the map with the spectral fit, and the
                      spectral truth (each pixel the integrated reflectance
                      at its view angle); the maps are labelled with their
                      largest ΔE2000 at the view angles {angles}°
  --atlas DIR         with --nk-db DB: write an atlas of measured metals to
                      DIR, a web page (index.html) with one card per
                      database page: the --compare spheres and the fitted
                      map lit, the reflectance curves, the fit's n and k for
                      sRGB and ACEScg with their largest ΔE2000 at those
                      angles, F0 (the base colour of a metalness material)
                      and the F82 tint (OpenPBR) from the integrated colour,
                      the edge tint (Gulbrandsen 2014) of the sRGB fit, and
                      the MAXScript of both fits; the same in metals.json
                      and metals.ms. The pages: those of --nk
                      shelf/book/page (may be repeated), or of a book with
                      --nk-list shelf/book, or else the ten preset metals'
                      and the metal library's. A page that gives no colour
                      is listed with the reason. DIR is new, empty, or an
                      earlier atlas's: the atlas replaces or removes only
                      the files that its list there (atlas-files.txt)
                      names, and refuses any other folder
  With --plot and measured n and k, each channel's integrated curve is drawn
  too.

Choosing the map:
  --preset NAME       a metal preset by name (any case) or number 0-10:
                      {presets}
  --set NAME=VALUE    set a parameter by its internal name, as MAXScript does:
                      preset, nrvalue, ngvalue, nbvalue, krvalue, kgvalue,
                      kbvalue, gamma, hue, sat (may be repeated; applied in
                      order, after --preset and --nk)
  --nk FILE           read n and k against wavelength from a data file, print
                      them at the three channel wavelengths with the data's
                      references, and use them as a Custom map. The file is
                      one of the refractiveindex.info database's YAML files
                      (tables and dispersion formulas 1-9), the site's CSV
                      export ("wl,n" rows, then "wl,k" rows), or a plain
                      table of rows "wavelength n k" (commas, tabs or spaces;
                      '#' starts a comment; one header line may come
                      first); wavelengths in µm. Data without
                      k give k = 0
  --nk-db DIR         the folder of a copy of the refractiveindex.info
                      database (holding catalog-nk.yml, or database/ with it);
                      --nk then names a page as shelf/book/page
  --nk-list ID        with --nk-db: list the pages of a book (shelf/book, e.g.
                      main/Cu) or the books on a shelf (e.g. main), saying
                      which pages have a data file in the folder; no picture
  --nk-csv FILE       as --nk, for a file that must be the site's CSV export
  --load FILE         render a map read from a scene file written by --save
  --save FILE         also write the map to a scene file
  --time TICKS        the time at which the map is updated (4800 per second;
                      default 0)

Measured n and k (--nk, --nk-csv, --compare):
  --fit METHOD        spectral: fit each channel's n and k so that the map
                      follows the metal's spectrally integrated colour (CIE
                      1931 2° observer, D65) over the view angle, and print
                      a ΔE2000 table against the three-wavelength values;
                      three: n and k at {R}, {G} and {B} µm. Default:
                      spectral when the data cover {visible}, else three
  --rendering-space S srgb (Rec.709 primaries; the default) or acescg: the
                      scene's linear RGB, which the fit aims at. Pictures
                      show it converted to sRGB

Output:
  -o, --output FILE   the PNG to write (default: preview.png); a name with
                      another extension than .png is refused
  --lit               the sphere as polished metal mirroring a studio (soft
                      boxes over a grey floor), the map's colour being the
                      colour of its reflection
  --maxscript         print MAXScript lines that make the map: every
                      parameter that differs from a new map (the preset by
                      its number, a Custom map's six n and k values, gamma,
                      hue, sat), and a comment that shows how to put it into
                      a Material Editor slot; no picture (reports go to
                      stderr)
  --size N            side of a sample slot in pixels, odd (default 255 for
                      one sphere, 161 per tile of --sheet)
  --linear            write the map's linear values as 16-bit samples,
                      round(v * 65535), instead of an 8-bit sRGB picture
  --threads N         render threads (default: one per core)
  --progress          show progress on stderr even when it is not a terminal
  --module PATH       the Aurivel.dlt to load (default: the one built with
                      this tool)
  -h, --help          this text
  --version           the tool's version, which is the plug-in's

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
  aurivel-preview --nk data/examples/measured.txt --rendering-space acescg \\
                  --maxscript
  aurivel-preview --preset copper --lit -o copper-lit.png
  aurivel-preview --preset gold --save gold.scene
  aurivel-preview --load gold.scene -o again.png

Each view takes only the options that it uses: an option that it would
ignore (-o with --atlas, --size with --plot, --rendering-space without
measured n and k) is refused, naming the view and what it takes.

Exit status: 0 on success, 1 when a file or its data is bad, 2 when the
command line is wrong.
)");
}

}  // namespace aurivel::preview
