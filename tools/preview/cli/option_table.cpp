#include "cli/option_table.h"

#include "base/errors.h"
#include "base/numbers.h"

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

// The views of a picture; those that render one in slots; those that choose
// one map.
constexpr unsigned kPicture = kShowsSphere | kShowsSheet | kShowsPlot | kShowsCompare;
constexpr unsigned kRendering = kShowsSphere | kShowsSheet | kShowsCompare | kShowsAtlas;
constexpr unsigned kOneMap = kShowsSphere | kShowsPlot | kShowsScript;

using Section = HelpSection;
constexpr bool kValue = true;
constexpr bool kFlag = false;
constexpr bool kRepeatable = true;
constexpr bool kOnce = false;

}  // namespace

const std::vector<OptionRow>& OptionTable() {
    static const std::vector<OptionRow> options{
        {"--sheet", nullptr, nullptr, kFlag, kOnce, View::kSheet, kShowsSheet, Section::kWhatToShow, nullptr,
         "all ten metal presets side by side, each labelled"},
        {"--plot", nullptr, nullptr, kFlag, kOnce, View::kPlot, kShowsPlot, Section::kWhatToShow, nullptr,
         "reflectance of R, G and B against the view angle, with the exact conductor Fresnel curves dashed for "
         "comparison"},
        {"--info", nullptr, nullptr, kFlag, kOnce, View::kInfo, kShowsInfo, Section::kWhatToShow, nullptr,
         "print the module's description, version, class and the parameter table (name, type, default, range); no "
         "picture"},
        {"--compare", nullptr, "[FILE...]", kFlag, kOnce, View::kCompare, kShowsCompare, Section::kWhatToShow, nullptr,
         "for each n/k data file (or, with --nk-db DIR alone, the ten metal presets' measured data) three spheres side "
         "by side: the map with n and k sampled at the channel wavelengths, the map with the spectral fit, and the "
         "spectral truth (each pixel the integrated reflectance at its view angle); the maps are labelled with their "
         "largest ΔE2000 at the view angles {angles}°"},
        {"--atlas", nullptr, "DIR", kValue, kOnce, View::kAtlas, kShowsAtlas, Section::kWhatToShow,
         [](Options& o, const std::string& v) { o.atlasFolder = v; },
         "with --nk-db DB: write an atlas of measured metals to DIR, a web page (index.html) with one card per "
         "database page: the --compare spheres and the fitted map lit, the reflectance curves, the fit's n and k for "
         "sRGB and ACEScg with their largest ΔE2000 at those angles, F0 (the base colour of a metalness material) "
         "and the F82 tint (OpenPBR) from the integrated colour, the edge tint (Gulbrandsen 2014) of the sRGB fit, and "
         "the MAXScript of both fits; the same in metals.json and metals.ms. The pages: those of --nk shelf/book/page "
         "(may be repeated), or of a book with --nk-list shelf/book, or else the ten preset metals' and the metal "
         "library's. A page that gives no colour is listed with the reason. DIR is new, empty, or an earlier atlas's: "
         "the atlas replaces or removes only the files that its list there (atlas-files.txt) names, and refuses any "
         "other folder"},

        {"--preset", nullptr, "NAME", kValue, kOnce, View::kSphere, kOneMap, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.preset = v; },
         "a metal preset by name (any case) or number 0-10: {presets}"},
        {"--set", nullptr, "NAME=VALUE", kValue, kRepeatable, View::kSphere, kOneMap | kShowsSheet,
         Section::kChoosingTheMap, [](Options& o, const std::string& v) { o.settings.push_back(ParseSetting(v)); },
         "set a parameter by its internal name, as MAXScript does: {parameters} (may be repeated; applied in order, "
         "after --preset and --nk)"},
        {"--nk", nullptr, "FILE", kValue, kRepeatable, View::kSphere, kOneMap | kShowsAtlas, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.nk.push_back(v); },
         "read n and k against wavelength from a data file, print them at the three channel wavelengths with the "
         "data's references, and use them as a Custom map. The file is one of the refractiveindex.info database's "
         "YAML files (tables and dispersion formulas 1-9), the site's CSV export (\"wl,n\" rows, then \"wl,k\" rows), "
         "or a plain table of rows \"wavelength n k\" (commas, tabs or spaces; '#' starts a comment; one header line "
         "may come first); wavelengths in µm. Data without k give k = 0. Or a metal by name: an element's English "
         "name or symbol, or an alloy's name or book (gold, Au, brass, Cu-Zn, any case), which takes the page the "
         "atlas recommends of it, from --nk-db or else the project's data/refractiveindex.info; the metals: {metals}"},
        {"--nk-db", nullptr, "DIR", kValue, kOnce, View::kSphere,
         kOneMap | kShowsCompare | kShowsAtlas | kShowsPageList, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.nkDb = v; },
         "the folder of a copy of the refractiveindex.info database (holding catalog-nk.yml, or database/ with it); "
         "--nk then names a page as shelf/book/page"},
        {"--nk-list", nullptr, "ID", kValue, kOnce, View::kSphere, kShowsPageList | kShowsAtlas,
         Section::kChoosingTheMap, [](Options& o, const std::string& v) { o.nkList = v; },
         "with --nk-db: list the pages of a book (shelf/book, e.g. main/Cu) or the books on a shelf (e.g. main), "
         "saying which pages have a data file in the folder; no picture"},
        {"--nk-csv", nullptr, "FILE", kValue, kOnce, View::kSphere, kOneMap, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.nkCsv = v; },
         "as --nk, for a file that must be the site's CSV export"},
        {"--load", nullptr, "FILE", kValue, kOnce, View::kSphere, kOneMap, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.loadFile = v; },
         "render a map read from a scene file written by --save"},
        {"--save", nullptr, "FILE", kValue, kOnce, View::kSphere, kOneMap, Section::kChoosingTheMap,
         [](Options& o, const std::string& v) { o.saveFile = v; }, "also write the map to a scene file"},
        {"--time", nullptr, "TICKS", kValue, kOnce, View::kSphere, kOneMap | kShowsSheet | kShowsCompare | kShowsAtlas,
         Section::kChoosingTheMap, [](Options& o, const std::string& v) { o.time = ParseInt("--time", v); },
         "the time at which the map is updated (4800 per second; default 0)"},

        {"--fit", nullptr, "METHOD", kValue, kOnce, View::kSphere, kOneMap, Section::kMeasured,
         [](Options& o, const std::string& v) { o.fit = ParseFit(v); },
         "spectral: fit each channel's n and k so that the map follows the metal's spectrally integrated colour (CIE "
         "1931 2° observer, D65) over the view angle, and print a ΔE2000 table against the three-wavelength "
         "values; three: n and k at {R}, {G} and {B} µm. Default: spectral when the data cover {visible}, else "
         "three"},
        {"--rendering-space", nullptr, "S", kValue, kOnce, View::kSphere, kOneMap | kShowsCompare, Section::kMeasured,
         [](Options& o, const std::string& v) { o.renderingSpace = ParseRenderingSpace(v); },
         "srgb (Rec.709 primaries; the default) or acescg: the scene's linear RGB, which the fit aims at. Pictures "
         "show it converted to sRGB"},

        {"--output", "-o", "FILE", kValue, kOnce, View::kSphere, kPicture, Section::kOutput,
         [](Options& o, const std::string& v) { o.output = v; },
         "the PNG to write (default: preview.png); a name with another extension than .png is refused"},
        {"--lit", nullptr, nullptr, kFlag, kOnce, View::kSphere, kShowsSphere | kShowsSheet | kShowsCompare,
         Section::kOutput, [](Options& o, const std::string&) { o.lit = true; },
         "the sphere as polished metal mirroring a studio (soft boxes over a grey floor), the map's colour being the "
         "colour of its reflection"},
        {"--maxscript", nullptr, nullptr, kFlag, kOnce, View::kSphere, kShowsScript, Section::kOutput,
         [](Options& o, const std::string&) { o.maxscript = true; },
         "print MAXScript lines that make the map: every parameter that differs from a new map (the preset by its "
         "number, a Custom map's six n and k values, gamma, hue, sat), and a comment that shows how to put it into a "
         "Material Editor slot; no picture (reports go to stderr)"},
        {"--size", nullptr, "N", kValue, kOnce, View::kSphere, kRendering, Section::kOutput,
         [](Options& o, const std::string& v) { o.size = ParseSize(v); },
         "side of a sample slot in pixels, odd (default 255 for one sphere, 161 per tile of --sheet)"},
        {"--linear", nullptr, nullptr, kFlag, kOnce, View::kSphere, kPicture, Section::kOutput,
         [](Options& o, const std::string&) { o.linear = true; },
         "write the map's linear values as 16-bit samples, round(v*65535), instead of an 8-bit sRGB picture"},
        {"--threads", nullptr, "N", kValue, kOnce, View::kSphere, kRendering, Section::kOutput,
         [](Options& o, const std::string& v) { o.threads = ParseThreads(v); },
         "render threads (default: one per core)"},
        {"--progress", nullptr, nullptr, kFlag, kOnce, View::kSphere, kRendering, Section::kOutput,
         [](Options& o, const std::string&) { o.progress = true; },
         "show progress on stderr even when it is not a terminal"},
        {"--module", nullptr, "PATH", kValue, kOnce, View::kSphere, kShownByEveryView, Section::kOutput,
         [](Options& o, const std::string& v) { o.modulePath = v; },
         "the Aurivel.dlt to load (default: the one built with this tool)"},
        {"--help", "-h", nullptr, kFlag, kOnce, View::kSphere, kShownByEveryView, Section::kOutput,
         [](Options& o, const std::string&) { o.help = true; }, "this text"},
        {"--version", nullptr, nullptr, kFlag, kOnce, View::kSphere, kShownByEveryView, Section::kOutput,
         [](Options& o, const std::string&) { o.version = true; }, "the tool's version, which is the plug-in's"},
    };
    return options;
}

}  // namespace aurivel::preview
