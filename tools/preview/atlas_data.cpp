#include "atlas_data.h"

#include <sstream>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "atlas_page_template.h"
#include "channel_wavelengths.h"
#include "json_writer.h"
#include "measured_views.h"
#include "nk_error.h"

namespace aurivel::preview {
namespace {

constexpr nkdata::WavelengthRange kVisible{0.38, 0.78};
constexpr std::string_view kJsonMark = "{{metals.json}}";

spectral::FitReport FitTo(const spectral::SpectralColour& truth, const nkdata::NkData& data) {
    return spectral::JudgeFit(truth, spectral::ThreeWavelengthConstants(data), spectral::FitConstants(truth));
}

template <typename T>
void WriteArray(JsonWriter& json, const std::array<T, 3>& values) {
    json.BeginArray();
    for (const T v : values) {
        if constexpr (std::is_same_v<T, bool>) {
            json.Boolean(v);
        } else {
            json.Number(v);
        }
    }
    json.EndArray();
}

void WriteFit(JsonWriter& json, const spectral::FitReport& report) {
    const OpticalConstants& c = report.fitted;
    json.BeginObject();
    json.Key("n");
    WriteArray(json, std::array<float, 3>{c.nr, c.ng, c.nb});
    json.Key("k");
    WriteArray(json, std::array<float, 3>{c.kr, c.kg, c.kb});
    json.Key("max_delta_e");
    json.Number(report.Largest(&spectral::AngleJudgement::fittedDeltaE));
    json.Key("sampled_max_delta_e");
    json.Number(report.Largest(&spectral::AngleJudgement::sampledDeltaE));
    json.Key("out_of_gamut_angles");
    json.BeginArray();
    for (const spectral::AngleJudgement& a : report.angles) {
        if (!a.inGamut) {
            json.Number(a.degrees);
        }
    }
    json.EndArray();
    json.Key("angles");
    json.BeginArray();
    for (const spectral::AngleJudgement& a : report.angles) {
        json.Number(a.degrees);
    }
    json.EndArray();
    json.Key("delta_e");
    json.BeginArray();
    for (const spectral::AngleJudgement& a : report.angles) {
        json.Number(a.fittedDeltaE);
    }
    json.EndArray();
    json.EndObject();
}

// The values under the key, and under key_clamped which of them had to be.
void WriteClamped(JsonWriter& json, const std::string& key, const spectral::ClampedRgb& values) {
    json.Key(key);
    WriteArray(json, values.value);
    json.Key(key + "_clamped");
    WriteArray(json, values.clamped);
}

void WriteText(JsonWriter& json, std::string_view key, const std::string& text) {
    json.Key(key);
    json.String(text);
}

void WriteMetal(JsonWriter& json, const AtlasMetal& metal, const AtlasPictures& pictures) {
    WriteText(json, "material", metal.titles.material);
    WriteText(json, "page_name", metal.titles.pageName);
    WriteText(json, "reference", metal.references);
    WriteText(json, "comments", metal.comments);
    if (!metal.titles.note.empty()) {
        WriteText(json, "note", metal.titles.note);
    }
    if (!metal.titles.caution.empty()) {
        WriteText(json, "caution", metal.titles.caution);
    }
    json.Key("srgb");
    WriteFit(json, metal.srgb);
    json.Key("acescg");
    WriteFit(json, metal.acescg);
    WriteClamped(json, "f0", metal.models.baseColour);
    WriteClamped(json, "edge_tint", metal.models.edgeTint);
    WriteClamped(json, "f82", metal.models.f82Tint);
    WriteText(json, "maxscript", metal.maxscript);
    WriteText(json, "maxscript_acescg", metal.maxscriptAcescg);
    json.Key("pictures");
    json.BeginObject();
    WriteText(json, "sampled", pictures.sampled);
    WriteText(json, "fitted", pictures.fitted);
    WriteText(json, "measured", pictures.measured);
    WriteText(json, "lit", pictures.lit);
    WriteText(json, "curves", pictures.curves);
    json.EndObject();
}

// "aurivel_main_Cu_Rakic_BB" for "main/Cu/Rakic-BB": a MAXScript name.
std::string FunctionName(const std::string& page) {
    std::string name = "aurivel_";
    for (const char c : page) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return name;
}

std::string MaxScriptText(const std::string& className, const OpticalConstants& constants) {
    std::ostringstream script;
    PrintMaxScript(className, constants, script);
    return script.str();
}

}  // namespace

std::string AuthorOf(const std::string& page, const std::string& pageName) {
    const std::size_t colon = pageName.find(':');
    if (colon != std::string::npos && colon > 0) {
        return pageName.substr(0, colon);
    }
    return page.substr(page.rfind('/') + 1);
}

void RequireMetalColour(const nkdata::NkData& data) {
    nkdata::RequireCoverage(data, kVisible);
    for (int band = 0; band < spectral::kBands; ++band) {
        if (data.k.at(spectral::BandMicrometres(band)) > 0.0) {
            return;
        }
    }
    nkdata::Fail(data.source, 0, "k is 0 over all of 380-780 nm: the data give no absorption, so no metal's colour");
}

spectral::SpectralColour IntegratedColour(const nkdata::NkData& data, const spectral::Observer& observer,
                                          spectral::RenderingSpaceId space) {
    return spectral::SpectralColour(spectral::MetalSpectrum(data), observer,
                                    spectral::RenderingSpace(space, observer.White()));
}

AtlasMetal FitForAtlas(const nkdata::NkData& data, const PageTitles& titles, const spectral::Observer& observer,
                       const std::string& className) {
    const spectral::SpectralColour srgb = IntegratedColour(data, observer, spectral::RenderingSpaceId::kSrgb);
    AtlasMetal metal{titles,
                     data.references,
                     data.comments,
                     FitTo(srgb, data),
                     FitTo(IntegratedColour(data, observer, spectral::RenderingSpaceId::kAcescg), data),
                     {},
                     {},
                     {}};
    metal.models = spectral::ValuesForMaterialModels(srgb, metal.srgb.fitted);
    metal.maxscript = MaxScriptText(className, metal.srgb.fitted);
    metal.maxscriptAcescg = MaxScriptText(className, metal.acescg.fitted);
    return metal;
}

void WriteMetalsJson(const std::vector<AtlasEntry>& entries, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("metals");
    json.BeginArray();
    for (const AtlasEntry& entry : entries) {
        json.BeginObject();
        WriteText(json, "page", entry.page);
        WriteText(json, "name", entry.name);
        WriteText(json, "author", entry.author);
        if (entry.metal) {
            WriteMetal(json, *entry.metal, entry.pictures);
        } else {
            WriteText(json, "error", entry.error);
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

void WriteMetalsMaxScript(const std::vector<AtlasEntry>& entries, std::ostream& out) {
    out << "-- Aurivel maps of measured metals, fitted for sRGB: one function for each page of the\n"
           "-- optical-constants database, which returns a new Custom map with the page's values.\n";
    for (const AtlasEntry& entry : entries) {
        if (!entry.metal) {
            continue;
        }
        out << "\n-- " << entry.name << ": " << entry.page << "\nfn " << FunctionName(entry.page)
            << " =\n(\n    local aurivelMap\n";
        std::istringstream lines(entry.metal->maxscript);
        for (std::string line; std::getline(lines, line);) {
            out << "    " << line << '\n';
        }
        out << "    aurivelMap\n)\n";
    }
}

void WriteAtlasPage(const std::vector<AtlasEntry>& entries, std::ostream& out) {
    const std::string_view page = kAtlasPageTemplate;
    const std::size_t mark = page.find(kJsonMark);
    if (mark == std::string_view::npos) {
        throw std::logic_error("the atlas's page template has no place for its data");
    }
    out << page.substr(0, mark);
    WriteMetalsJson(entries, out);
    out << page.substr(mark + kJsonMark.size());
}

}  // namespace aurivel::preview
