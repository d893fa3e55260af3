// The tool's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace aurivel::preview {

enum class View {
    kIntroduction,  // without arguments: the map's colour beside the same map lit, labelled
    kSphere,   // one map on the sample sphere
    kSheet,    // every metal preset side by side
    kPlot,     // reflectance against view angle
    kInfo,     // what the module and its parameter block declare
    kCompare,  // measured metals: three-wavelength map, fitted map, spectral truth
    kAtlas,    // measured metals as a web page with the values other materials take
};

// How measured n and k become the map's six constants.
enum class FitMethod {
    kSpectral,  // fitted to the spectrally integrated colour over the view angle
    kThree,     // sampled at the channel wavelengths
};

// The linear RGB space the scene renders in, which the fit aims at.
enum class RenderingSpaceChoice { kSrgb, kAcescg };

struct ParameterSetting {
    std::string name;   // internal name in the parameter block, as scripts use it
    std::string value;  // as typed: a number, or a preset name for "preset"
};

struct Options {
    View view = View::kSphere;
    std::string output = "preview.png";
    std::string modulePath;  // empty: the module built with the tool
    std::optional<std::string> preset;
    std::vector<ParameterSetting> settings;  // in command-line order
    std::optional<std::string> nkCsv;
    std::vector<std::string> nk;        // a data file, or with nkDb a page "shelf/book/page"; more only for an atlas
    std::optional<std::string> nkDb;    // the folder of a copy of the optical-constants database
    std::optional<std::string> nkList;  // "shelf/book" (or "shelf"): list its pages (or books), no picture
    std::optional<FitMethod> fit;       // none: spectral when the data cover the visible range
    std::optional<RenderingSpaceChoice> renderingSpace;  // none: sRGB
    std::vector<std::string> compareFiles;  // data files given to --compare
    std::string atlasFolder;                // where --atlas writes
    bool lit = false;                       // the sphere mirrors a studio
    bool maxscript = false;                 // print MAXScript instead of a picture
    std::optional<std::string> saveFile;
    std::optional<std::string> loadFile;
    std::optional<int> size;  // side of the sample slot in pixels, odd
    int time = 0;             // host ticks, 4800 per second
    int threads = 0;          // 0: one per core
    bool linear = false;
    bool progress = false;
    bool help = false;
    bool version = false;
};

inline constexpr int kDefaultSphereSize = 255;
inline constexpr int kDefaultTileSize = 161;

// Throws UsageError with a one-line reason.
Options ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();

}  // namespace aurivel::preview
