#include "app/app.h"

#include <iomanip>
#include <sstream>

#include "app/file_identity.h"
#include "atlas/atlas.h"
#include "base/numbers.h"
#include "base/wide_text.h"
#include "host/host.h"
#include "measured/compare.h"
#include "measured/measured_views.h"
#include "measured/nk_source.h"
#include "measured/reflectance_curves.h"
#include "presets/parameter_names.h"
#include "render/font.h"
#include "render/plot.h"
#include "render/png_writer.h"
#include "render/sheet.h"
#include "utf/utf.h"

namespace aurivel::preview {
namespace {

std::string Hex(unsigned long v) {
    std::ostringstream s;
    s << "0x" << std::uppercase << std::hex << std::setw(8) << std::setfill('0') << v;
    return s.str();
}

void PrintInfo(const ModuleInfo& info, std::ostream& out) {
    out << "Module:       " << info.path << '\n'
        << "Description:  " << info.description << '\n'
        << "Version:      " << AURIVEL_VERSION << " (the plug-in's, as this tool was built with it)\n"
        << "SDK version:  " << Hex(info.version) << " (" << info.version << "), which the module's LibVersion gives\n"
        << "Class:        " << info.className << '\n'
        << "Category:     " << info.category << '\n'
        << "Class ID:     (" << Hex(info.classIdA) << ", " << Hex(info.classIdB) << ")\n"
        << "Super class:  " << Hex(info.superClassId) << "\n\n"
        << "Parameters (" << info.parameters.size() << "):\n";
    out << "  " << std::left << std::setw(10) << "name" << std::setw(12) << "type" << std::setw(12) << "default"
        << "range\n";
    for (const ParameterInfo& p : info.parameters) {
        out << "  " << std::setw(10) << p.name << std::setw(12) << p.type << std::setw(12) << p.defaultValue << p.range
            << '\n';
    }
}

PreviewMap PrepareMap(const PreviewModule& module, const Options& options, const std::optional<nkdata::NkData>& data,
                      std::ostream& out) {
    PreviewMap map = options.loadFile ? module.LoadMap(*options.loadFile) : module.CreateMap();
    if (data) {
        map.SetMeasuredConstants(MeasuredConstants(*data, options, metal_colour::Observer::Cie1931D65(), out),
                                 data->source);
    }
    if (options.preset) {
        map.SetParameter(kPresetParameter.narrow, *options.preset);
    }
    for (const ParameterSetting& setting : options.settings) {
        map.SetParameter(setting.name, setting.value);
    }
    if (options.saveFile) {
        map.Save(*options.saveFile);
        out << "Wrote " << PrintableText(*options.saveFile) << '\n';
    }
    return map;
}

ShaderFactory Shading(const PreviewMap& map, const Options& options) {
    return options.lit ? LitShaders(map.Shaders()) : map.Shaders();
}

void WritePicture(Image image, const Options& options, std::ostream& out) {
    if (options.renderingSpace == RenderingSpaceChoice::kAcescg && !options.linear && options.view != View::kPlot) {
        ShowInSrgb(image, ChosenSpace(options, metal_colour::Observer::Cie1931D65()));
    }
    WritePng(image, options.output, options.linear ? PngEncoding::kLinear16 : PngEncoding::kSrgb8);
    out << "Wrote " << PrintableText(options.output) << '\n';
}

Image RenderOneSphere(PreviewMap& map, const Options& options, std::ostream* progressOut) {
    const SampleSphere sphere(options.size.value_or(kDefaultSphereSize));
    Image image(sphere.Size(), sphere.Size());
    map.Update(options.time);
    Progress progress(progressOut, "Rendering", sphere.Size());
    RenderSphere(image, 0, 0, sphere, Shading(map, options), RenderThreads(options.threads), progress);
    return image;
}

// A sheet of labelled spheres, each drawn by drawTile(sheet, tile).
class LabelledSheet {
public:
    LabelledSheet(int tiles, int columns, int slotSize, std::ostream* progressOut)
        : sphere_(slotSize),
          layout_(tiles, sphere_.Size(), columns),
          font_(Font::FindDejaVuSans(LabelTextHeight(sphere_.Size()))),
          sheet_(layout_.Width(), layout_.Height(), kLabelBackground),
          progress_(progressOut, "Rendering", static_cast<long>(tiles) * sphere_.Size()) {}

    void Draw(int tile, const ShaderFactory& shaders, const std::wstring& label, const Options& options) {
        const Rect slot = layout_.Slot(tile);
        RenderSphere(sheet_, slot.left, slot.top, sphere_, shaders, RenderThreads(options.threads), progress_);
        DrawLabel(sheet_, layout_.Label(tile), label, font_);
    }

    Image Take() { return std::move(sheet_); }

private:
    SampleSphere sphere_;
    SheetLayout layout_;
    Font font_;
    Image sheet_;
    Progress progress_;
};

Image RenderSheet(PreviewMap& map, const Options& options, std::ostream* progressOut) {
    const std::vector<std::wstring> names = map.PresetNames();
    const int metals = static_cast<int>(names.size()) - 1;  // item 0 is Custom
    LabelledSheet sheet(metals, 5, options.size.value_or(kDefaultTileSize), progressOut);
    for (int tile = 0; tile < metals; ++tile) {
        map.SetParameter(kPresetParameter.narrow, std::to_string(tile + 1));
        map.Update(options.time);
        sheet.Draw(tile, Shading(map, options), names[static_cast<std::size_t>(tile + 1)], options);
    }
    return sheet.Take();
}

// What a newcomer sees first: the map's colour is the reflectance itself, a
// flat disc that hardly reads as metal, so the same map as polished metal in
// a studio stands beside it.
Image RenderIntroduction(PreviewMap& map, const Options& options, std::ostream* progressOut) {
    const std::wstring name = map.PresetNames().at(static_cast<std::size_t>(map.Preset()));
    LabelledSheet sheet(2, 2, options.size.value_or(kDefaultSphereSize), progressOut);
    map.Update(options.time);
    sheet.Draw(0, map.Shaders(), name + L": colour", options);
    sheet.Draw(1, LitShaders(map.Shaders()), name + L": as metal", options);
    return sheet.Take();
}

// The map's curves and, for measured data that cover the visible
// wavelengths, each channel's integrated reflectance.
std::vector<PlotCurve> PlotCurves(PreviewMap& map, const Options& options, const std::optional<nkdata::NkData>& data) {
    const bool fitted = data && ChosenFitMethod(*data, options) == FitMethod::kSpectral;
    std::vector<PlotCurve> curves =
        MapCurves(map, options.time, fitted ? ConstantsSource::kSpectralFit : ConstantsSource::kChannelWavelengths);
    if (data && nkdata::Covers(*data, metal_colour::kVisibleRange)) {
        const metal_colour::SpectralColour truth =
            metal_colour::IntegratedColour(*data, metal_colour::Observer::Cie1931D65(), ChosenSpaceId(options));
        for (PlotCurve& curve : IntegratedCurves(truth, kPlotSamples)) {
            curves.push_back(std::move(curve));
        }
    }
    return curves;
}

std::wstring PlotTitle(const PreviewMap& map, const Options& options, const std::optional<nkdata::NkData>& data) {
    const int time = options.time;
    if (data) {
        return ValuesTitle(utf::WideFromUtf8(MeasuredMapName(*data, options)), map.Constants(time));
    }
    const std::vector<std::wstring> names = map.PresetNames();
    const int preset = map.Preset();
    const std::wstring name = preset >= 0 && preset < static_cast<int>(names.size())
                                  ? names[static_cast<std::size_t>(preset)]
                                  : L"Preset " + std::to_wstring(preset);
    return ValuesTitle(name, map.Constants(time));
}

}  // namespace

int RunTool(const Options& options, const std::string& defaultModule, bool showProgress, std::ostream& out,
            std::ostream& err) {
    if (options.help) {
        out << HelpText();
        return 0;
    }
    if (options.version) {
        out << "aurivel-preview " << AURIVEL_VERSION << " (the tool and the plug-in it is built with)\n";
        return 0;
    }
    if (options.nkList && options.view != View::kAtlas) {
        PrintNkList(options, out);
        return 0;
    }
    const std::string modulePath = options.modulePath.empty() ? defaultModule : options.modulePath;
    RefuseOutputsOverInputs(InputFiles(options, modulePath), OutputFiles(options));
    const PreviewModule module = PreviewModule::Open(modulePath);
    if (options.view == View::kInfo) {
        PrintInfo(module.Info(), out);
        return 0;
    }
    std::ostream* progressOut = showProgress ? &err : nullptr;
    if (options.view == View::kCompare) {
        WritePicture(RenderComparison(module, options, out, progressOut), options, out);
        return 0;
    }
    if (options.view == View::kAtlas) {
        WriteAtlas(module, options, out, progressOut);
        return 0;
    }
    const std::optional<nkdata::NkData> data = ReadNkSource(options, options.maxscript ? err : out);
    PreviewMap map = PrepareMap(module, options, data, options.maxscript ? err : out);
    if (options.maxscript) {
        out << module.ScriptWriter().Script(map.Settings(options.time));
        return 0;
    }
    Image image = [&] {
        switch (options.view) {
            case View::kSheet:
                return RenderSheet(map, options, progressOut);
            case View::kIntroduction:
                return RenderIntroduction(map, options, progressOut);
            case View::kPlot:
                return DrawReflectancePlot(PlotCurves(map, options, data), PlotTitle(map, options, data),
                                           Font::FindDejaVuSans(kPlotTextHeight));
            default:
                return RenderOneSphere(map, options, progressOut);
        }
    }();
    WritePicture(std::move(image), options, out);
    return 0;
}

}  // namespace aurivel::preview
