#include "measured/compare.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "measured/measured_views.h"
#include "measured/nk_source.h"
#include "metal_colour/preset_metals.h"
#include "nkdata/nk_database.h"
#include "nkdata/nk_file.h"
#include "presets/parameter_names.h"
#include "render/font.h"
#include "utf/utf.h"

namespace aurivel::preview {
namespace {

constexpr int kDefaultCompareSize = 181;

struct Metal {
    std::wstring label;
    nkdata::NkData data;
    int preset = 0;  // the preset of this metal whose data these are; 0 for a file of the user's
};

// "Au Johnson" for a database file .../Au/nk/Johnson.yml, else the file's name.
std::wstring FileLabel(const std::string& path) {
    const std::filesystem::path p(path);
    const std::filesystem::path folder = p.parent_path();
    if (folder.filename() == "nk" && folder.has_parent_path()) {
        return utf::WideFromUtf8(folder.parent_path().filename().string() + " " + p.stem().string());
    }
    return utf::WideFromUtf8(p.filename().string());
}

// "Au Johnson" for the page "main/Au/Johnson".
std::wstring PageLabel(const std::string& id) {
    const std::optional<nkdata::DatabaseId> page = nkdata::ParsePageId(id);
    return utf::WideFromUtf8(page ? page->book + " " + page->page : id);
}

std::vector<Metal> ReadMetals(const Options& options) {
    std::vector<Metal> metals;
    if (options.compareFiles.empty()) {
        const nkdata::NkDatabase database = nkdata::NkDatabase::Open(*options.nkDb);
        for (std::size_t i = 0; i < metal_colour::kPresetMetals.size(); ++i) {
            const char* page = metal_colour::kPresetMetals[i].page;
            metals.push_back({PageLabel(page), database.ReadPage(page), static_cast<int>(i) + 1});
        }
    }
    for (const std::string& file : options.compareFiles) {
        metals.push_back({FileLabel(file), nkdata::ReadNkFile(file)});
    }
    // Every file is checked before the first is shown.
    for (const Metal& metal : metals) {
        nkdata::RequireCoverage(metal.data, metal_colour::kVisibleRange);
    }
    return metals;
}

std::wstring DeltaELabel(const wchar_t* what, double deltaE) {
    std::wostringstream s;
    s << what << L"  \u0394E " << std::fixed << std::setprecision(2) << deltaE;
    return s.str();
}

void UseConstants(PreviewMap& map, const nkdata::NkData& data, const OpticalConstants& constants, int time) {
    map.SetMeasuredConstants(constants, data.source);
    map.Update(time);
}

// How far the preset of the metal, as the map has it, is from the metal's
// data: the presets are the map's classic values, not these data.
void PrintPresetDistance(PreviewMap& map, const Metal& metal, const metal_colour::SpectralColour& truth, int time,
                         std::ostream& out) {
    map.SetParameter(kPresetParameter.narrow, std::to_string(metal.preset));
    map.Update(time);
    const OpticalConstants preset = map.Constants(time);
    const metal_colour::FitReport report = metal_colour::JudgeFit(truth, preset, preset);
    out << "  the map's preset " << utf::Utf8FromWide(map.PresetNames().at(static_cast<std::size_t>(metal.preset)))
        << " against these data: \xce\x94"
           "E2000 "
        << std::fixed << std::setprecision(2) << report.angles.front().sampledDeltaE << " at 0\xc2\xb0, at most "
        << report.Largest(&metal_colour::AngleJudgement::sampledDeltaE) << '\n';
    out.unsetf(std::ios::fixed);
}

}  // namespace

void DrawComparedMetal(Image& sheet, const SheetLayout& layout, int first, PreviewMap& map, const ComparedMetal& metal,
                       const TileStyle& style, Progress& progress) {
    const auto render = [&](int tile, const ShaderFactory& shaders, const std::wstring& label) {
        const Rect slot = layout.Slot(tile);
        RenderSphere(sheet, slot.left, slot.top, style.sphere, style.lit ? LitShaders(shaders) : shaders, style.threads,
                     progress);
        DrawLabel(sheet, layout.Label(tile), label, style.font);
    };
    const metal_colour::FitReport& report = metal.report;
    UseConstants(map, metal.data, report.sampled, style.time);
    render(first, map.Shaders(), DeltaELabel(L"sampled", report.Largest(&metal_colour::AngleJudgement::sampledDeltaE)));
    UseConstants(map, metal.data, report.fitted, style.time);
    render(first + 1, map.Shaders(), DeltaELabel(L"fitted", report.Largest(&metal_colour::AngleJudgement::fittedDeltaE)));
    render(first + 2, SpectralShaders(metal.truth), metal.label);
}

Image RenderComparison(const PreviewModule& module, const Options& options, std::ostream& out,
                       std::ostream* progressOut) {
    const std::vector<Metal> metals = ReadMetals(options);
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    const SampleSphere sphere(options.size.value_or(kDefaultCompareSize));
    const SheetLayout layout(3 * static_cast<int>(metals.size()), sphere.Size(), 3);
    const Font font = Font::FindDejaVuSans(LabelTextHeight(sphere.Size()));
    const TileStyle style{sphere, font, RenderThreads(options.threads), options.lit,
                          options.time};
    Image sheet(layout.Width(), layout.Height(), kLabelBackground);
    Progress progress(progressOut, "Rendering", 3L * static_cast<long>(metals.size()) * sphere.Size());
    PreviewMap map = module.CreateMap();
    for (std::size_t i = 0; i < metals.size(); ++i) {
        const Metal& metal = metals[i];
        const metal_colour::SpectralColour truth =
            metal_colour::IntegratedColour(metal.data, observer, ChosenSpaceId(options));
        const metal_colour::FitReport report = metal_colour::FitMeasured(metal.data, truth);
        PrintNkConstants(metal.data, report.sampled, out);
        PrintFitReport(report, truth.Space(), out);
        if (metal.preset != 0) {
            PrintPresetDistance(map, metal, truth, options.time, out);
        }
        DrawComparedMetal(sheet, layout, 3 * static_cast<int>(i), map, {metal.data, truth, report, metal.label}, style,
                          progress);
    }
    return sheet;
}

}  // namespace aurivel::preview
