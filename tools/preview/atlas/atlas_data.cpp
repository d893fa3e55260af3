#include "atlas/atlas_data.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "atlas/atlas_templates.h"
#include "atlas/json_writer.h"
#include "base/numbers.h"
#include "measured/measured_views.h"
#include "nkdata/nk_database.h"
#include "render/png_writer.h"

namespace aurivel::preview {
namespace {

constexpr std::string_view kJsonMark = "{{metals.json}}";

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

void WriteFit(JsonWriter& json, const metal_colour::FitReport& report) {
    const OpticalConstants& c = report.fitted;
    json.BeginObject();
    json.Key("n");
    WriteArray(json, std::array<float, 3>{c.nr, c.ng, c.nb});
    json.Key("k");
    WriteArray(json, std::array<float, 3>{c.kr, c.kg, c.kb});
    json.Key("max_delta_e");
    json.Number(report.Largest(&metal_colour::AngleJudgement::fittedDeltaE));
    json.Key("sampled_max_delta_e");
    json.Number(report.Largest(&metal_colour::AngleJudgement::sampledDeltaE));
    json.Key("out_of_gamut_angles");
    json.BeginArray();
    for (const metal_colour::AngleJudgement& a : report.angles) {
        if (!a.inGamut) {
            json.Number(a.degrees);
        }
    }
    json.EndArray();
    json.Key("angles");
    json.BeginArray();
    for (const metal_colour::AngleJudgement& a : report.angles) {
        json.Number(a.degrees);
    }
    json.EndArray();
    json.Key("delta_e");
    json.BeginArray();
    for (const metal_colour::AngleJudgement& a : report.angles) {
        json.Number(a.fittedDeltaE);
    }
    json.EndArray();
    json.EndObject();
}

// The values under the key, and under key_clamped which of them had to be.
void WriteClamped(JsonWriter& json, const std::string& key, const metal_colour::ClampedRgb& values) {
    json.Key(key);
    WriteArray(json, values.value);
    json.Key(key + "_clamped");
    WriteArray(json, values.clamped);
}

// "#B87333": the values as 8-bit sRGB, as a colour picker shows them.
std::string HexColour(const std::array<float, 3>& linear) {
    std::string hex = "#";
    for (const float value : linear) {
        constexpr char kDigits[] = "0123456789ABCDEF";
        const std::uint8_t byte = EncodeSrgb8(value);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

void WriteText(JsonWriter& json, std::string_view key, const std::string& text) {
    json.Key(key);
    json.String(text);
}

// "aurivel_main_Cu_Rakic_BB" for "main/Cu/Rakic-BB": a MAXScript name.
std::string FunctionName(const std::string& page) { return "aurivel_" + PageIdentifier(page, '_'); }

// "function" names the page's functions in metals.ms.
void WriteMetal(JsonWriter& json, const AtlasMetal& metal, const AtlasPictures& pictures, const std::string& function) {
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
    WriteText(json, "f0_hex", HexColour(metal.models.baseColour.value));
    WriteClamped(json, "edge_tint", metal.models.edgeTint);
    WriteClamped(json, "f82", metal.models.f82Tint);
    WriteText(json, "maxscript", metal.maxscript);
    WriteText(json, "maxscript_acescg", metal.maxscriptAcescg);
    WriteText(json, "function", function);
    // What the page copies when it is the package's atlas, whose metals.ms
    // 3ds Max has loaded.
    WriteText(json, "maxscript_in_package", FunctionCallScript(function));
    WriteText(json, "maxscript_acescg_in_package", FunctionCallScript(function + "_acescg"));
    json.Key("pictures");
    json.BeginObject();
    WriteText(json, "sampled", pictures.sampled);
    WriteText(json, "fitted", pictures.fitted);
    WriteText(json, "measured", pictures.measured);
    WriteText(json, "lit", pictures.lit);
    WriteText(json, "curves", pictures.curves);
    json.EndObject();
}

// metals_head.ms: what the file says of itself, with {page}, {function}
// and {metal} naming a page of the file and a metal as its examples
// ("main/Cu/Babar" and gold in a file without them), and the helpers that
// its functions share. Where a name cannot be checked here (the Arnold
// material and its properties) the script asks 3ds Max first, so it never
// stops with an error where they are missing, and says what it left out.
// Run at start-up from the package, the file only defines functions; each
// map function asks at its call whether the module is loaded.
void WriteMetalsScriptHead(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries,
                           std::ostream& out) {
    const auto coloured = std::find_if(entries.begin(), entries.end(), [](const AtlasEntry& e) { return e.metal; });
    const std::string page = coloured == entries.end() ? std::string("main/Cu/Babar") : coloured->page;
    const auto named = std::find_if(books.begin(), books.end(),
                                    [](const AtlasBook& b) { return b.recommendation.chosen.has_value(); });
    const std::string metal = BookFunctionName(named == books.end() ? std::string("Gold") : named->name);
    std::string head(kMetalsScriptHead);
    for (const auto& [mark, value] : {std::pair<std::string, std::string>{"{page}", page},
                                      std::pair<std::string, std::string>{"{function}", FunctionName(page)},
                                      std::pair<std::string, std::string>{"{metal}", metal}}) {
        for (std::size_t at = head.find(mark); at != std::string::npos; at = head.find(mark, at + value.size())) {
            head.replace(at, mark.size(), value);
        }
    }
    out << head;
}

// "(color 235.79 149.53 113.47)": a linear colour from 0 to 1 as MAXScript's 0-255.
std::string MaxScriptColour(const std::array<float, 3>& linear) {
    std::string text = "(color";
    for (const float channel : linear) {
        text += ' ' + MaxScriptNumber(channel * 255.0f);
    }
    return text + ')';
}

void WriteArnoldFunction(const std::string& name, const metal_colour::MaterialModelValues& models, std::ostream& out) {
    out << "fn " << name << " slot: = aurivelArnoldMetal " << MaxScriptColour(models.baseColour.value) << ' '
        << MaxScriptColour(models.edgeTint.value) << " slot:slot\n";
}

// A reason as one comment line: line breaks become spaces.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

void WriteMapFunction(const std::string& name, const MapSettings& map, const MapScriptWriter& scripts,
                      std::ostream& out) {
    out << "fn " << name << " slot: =\n(\n    if not aurivelMapClassThere() do return undefined\n    local aurivelMap\n";
    scripts.WriteMap(map, "aurivelMap", "    ", out);
    out << "    aurivelPutInSlot aurivelMap slot\n)\n";
}

// The smallest and the largest F0 of the book's pages with a colour, per
// channel: how far its measurements disagree.
void WriteF0Spread(JsonWriter& json, const AtlasBook& book, const std::vector<AtlasEntry>& entries) {
    std::optional<std::array<float, 3>> low;
    std::optional<std::array<float, 3>> high;
    for (const std::size_t index : book.entries) {
        const std::optional<AtlasMetal>& metal = entries[index].metal;
        if (!metal) {
            continue;
        }
        const std::array<float, 3>& f0 = metal->models.baseColour.value;
        low = low.value_or(f0);
        high = high.value_or(f0);
        for (std::size_t c = 0; c < 3; ++c) {
            (*low)[c] = std::min((*low)[c], f0[c]);
            (*high)[c] = std::max((*high)[c], f0[c]);
        }
    }
    if (!low) {
        return;
    }
    json.Key("f0_low");
    WriteArray(json, *low);
    WriteText(json, "f0_low_hex", HexColour(*low));
    json.Key("f0_high");
    WriteArray(json, *high);
    WriteText(json, "f0_high_hex", HexColour(*high));
}

void WriteBook(JsonWriter& json, const AtlasBook& book, const std::vector<AtlasEntry>& entries) {
    json.BeginObject();
    WriteText(json, "book", book.book);
    WriteText(json, "name", book.name);
    WriteText(json, "symbol", book.symbol);
    json.Key("alloy");
    json.Boolean(book.alloy);
    json.Key("also_called");
    json.BeginArray();
    for (const std::string& name : book.alsoCalled) {
        json.String(name);
    }
    json.EndArray();
    json.Key("pages");
    json.BeginArray();
    for (const std::size_t index : book.entries) {
        json.String(entries[index].page);
    }
    json.EndArray();
    const std::optional<std::size_t>& chosen = book.recommendation.chosen;
    if (chosen) {
        WriteText(json, "recommended", entries[book.entries[*chosen]].page);
        const std::string function = BookFunctionName(book.name);
        WriteText(json, "function", function);
        WriteText(json, "maxscript_in_package", FunctionCallScript(function));
        WriteText(json, "maxscript_acescg_in_package", FunctionCallScript(function + "_acescg"));
    }
    WriteText(json, "reason", book.recommendation.reason);
    WriteF0Spread(json, book, entries);
    json.EndObject();
}

void WriteBookFunctions(const AtlasBook& book, const std::vector<AtlasEntry>& entries, std::ostream& out) {
    const std::optional<std::size_t>& chosen = book.recommendation.chosen;
    if (!chosen) {
        out << "\n-- " << book.name << " (" << book.book << ") has no functions by name: " << book.recommendation.reason
            << '\n';
        return;
    }
    const std::string& page = entries[book.entries[*chosen]].page;
    const std::string name = BookFunctionName(book.name);
    out << "\n-- " << book.name << " (" << book.book << "): its recommended page, " << page << " ("
        << OneLine(book.recommendation.reason) << ")\n";
    for (const char* suffix : {"", "_acescg", "_arnold", "_arnold_acescg"}) {
        out << "fn " << name << suffix << " slot: = " << FunctionName(page) << suffix << " slot:slot\n";
    }
}

}  // namespace

std::string BookFunctionName(const std::string& name) {
    std::string function = "aurivel_";
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        function += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : plain ? c : '_';
    }
    return function;
}

std::string PageIdentifier(const std::string& page, char separator) {
    std::string identifier;
    for (const char c : page) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        identifier += plain ? c : separator;
    }
    return identifier;
}

std::string AuthorOf(const std::string& page, const std::string& pageName) {
    const std::size_t colon = pageName.find(':');
    if (colon != std::string::npos && colon > 0) {
        return pageName.substr(0, colon);
    }
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(page);
    return parsed ? parsed->page : page;
}

AtlasMetal FitForAtlas(const nkdata::NkData& data, const metal_colour::SpectralColour& srgb, const PageTitles& titles,
                       const metal_colour::Observer& observer, const MapScriptWriter& scripts) {
    const metal_colour::SpectralColour acescg =
        metal_colour::IntegratedColour(data, observer, metal_colour::RenderingSpaceId::kAcescg);
    AtlasMetal metal{titles,
                     data.references,
                     data.comments,
                     metal_colour::FitMeasured(data, srgb),
                     metal_colour::FitMeasured(data, acescg),
                     {},
                     {},
                     {},
                     {}};
    metal.models = metal_colour::ValuesForMaterialModels(srgb, metal.srgb.fitted);
    metal.modelsAcescg = metal_colour::ValuesForMaterialModels(acescg, metal.acescg.fitted);
    metal.maxscript = scripts.Script(scripts.CustomMap(metal.srgb.fitted));
    metal.maxscriptAcescg = scripts.Script(scripts.CustomMap(metal.acescg.fitted));
    return metal;
}

void WriteMetalsJson(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("books");
    json.BeginArray();
    for (const AtlasBook& book : books) {
        WriteBook(json, book, entries);
    }
    json.EndArray();
    json.Key("metals");
    json.BeginArray();
    for (const AtlasEntry& entry : entries) {
        json.BeginObject();
        WriteText(json, "page", entry.page);
        WriteText(json, "name", entry.name);
        WriteText(json, "author", entry.author);
        json.Key("flags");
        json.BeginArray();
        for (const std::string& flag : entry.flags) {
            json.String(flag);
        }
        json.EndArray();
        if (!entry.leftOut.empty()) {
            json.Key("left_out");
            json.BeginArray();
            for (const std::string& row : entry.leftOut) {
                json.String(row);
            }
            json.EndArray();
        }
        if (entry.metal) {
            WriteMetal(json, *entry.metal, entry.pictures, FunctionName(entry.page));
        } else {
            WriteText(json, "error", entry.error);
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

void WriteMetalsMaxScript(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries,
                          const MapScriptWriter& scripts, std::ostream& out) {
    WriteMetalsScriptHead(books, entries, out);
    for (const AtlasEntry& entry : entries) {
        if (!entry.metal) {
            out << "\n-- " << entry.name << ": " << entry.page << " has no functions: it gives no colour ("
                << OneLine(entry.error) << ")\n";
            continue;
        }
        const std::string function = FunctionName(entry.page);
        out << "\n-- " << entry.name << ": " << entry.page << '\n';
        WriteMapFunction(function, scripts.CustomMap(entry.metal->srgb.fitted), scripts, out);
        WriteMapFunction(function + "_acescg", scripts.CustomMap(entry.metal->acescg.fitted), scripts, out);
        WriteArnoldFunction(function + "_arnold", entry.metal->models, out);
        WriteArnoldFunction(function + "_arnold_acescg", entry.metal->modelsAcescg, out);
    }
    for (const AtlasBook& book : books) {
        WriteBookFunctions(book, entries, out);
    }
}

void WriteAtlasPage(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries, std::ostream& out) {
    const std::string_view page = kAtlasPageTemplate;
    const std::size_t mark = page.find(kJsonMark);
    if (mark == std::string_view::npos) {
        throw std::logic_error("the atlas's page template has no place for its data");
    }
    out << page.substr(0, mark);
    WriteMetalsJson(books, entries, out);
    out << page.substr(mark + kJsonMark.size());
}

}  // namespace aurivel::preview
