#include "atlas.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "atlas_data.h"
#include "compare.h"
#include "errors.h"
#include "measured_views.h"
#include "metal_library.h"
#include "nk_database.h"
#include "nk_error.h"
#include "png_writer.h"
#include "preset_metals.h"
#include "reflectance_curves.h"
#include "wide_text.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

constexpr int kAtlasSphereSize = 181;
constexpr int kPlotTextHeight = 14;

// Each page once, in the lists' order.
template <std::size_t N>
void AddPages(const std::array<spectral::MetalPage, N>& list, std::vector<std::string>& pages) {
    for (const spectral::MetalPage& metal : list) {
        if (std::find(pages.begin(), pages.end(), metal.page) == pages.end()) {
            pages.emplace_back(metal.page);
        }
    }
}

std::vector<std::string> ChosenPages(const Options& options, const nkdata::NkDatabase& database) {
    if (!options.nk.empty()) {
        return options.nk;
    }
    std::vector<std::string> pages;
    if (options.nkList) {
        const nkdata::CatalogBook& book = database.Book(*options.nkList);
        for (const nkdata::CatalogPage& page : book.pages) {
            pages.push_back(book.shelf + "/" + book.book + "/" + page.page);
        }
        return pages;
    }
    AddPages(spectral::kPresetMetals, pages);
    AddPages(spectral::kMetalLibrary, pages);
    return pages;
}

template <std::size_t N>
const spectral::MetalPage* FindPage(const std::array<spectral::MetalPage, N>& list, const std::string& page) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto& metal) { return metal.page == page; });
    return found == list.end() ? nullptr : &*found;
}

// The library's name and note for a page it lists, else the catalog's book.
// Throws DataError for a page the catalog does not know.
PageTitles TitlesOf(const std::string& id, const nkdata::NkDatabase& database) {
    const std::size_t slash = id.rfind('/');
    const nkdata::CatalogBook& book = database.Book(id.substr(0, slash == std::string::npos ? 0 : slash));
    PageTitles titles{book.name, book.name, "", ""};
    for (const nkdata::CatalogPage& page : book.pages) {
        if (page.page == id.substr(slash + 1)) {
            titles.pageName = page.name;
        }
    }
    const spectral::MetalPage* known = FindPage(spectral::kMetalLibrary, id);
    known = known ? known : FindPage(spectral::kPresetMetals, id);
    if (known) {
        titles.name = known->name;
        titles.note = known->note ? known->note : "";
    }
    return titles;
}

// "07-main-Cu-Rakic-BB": the entry's number keeps names apart that the
// page's characters alone might not.
std::string PictureStem(std::size_t index, const std::string& page) {
    std::string stem = (index < 9 ? "0" : "") + std::to_string(index + 1) + "-";
    for (const char c : page) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        stem += plain ? c : '-';
    }
    return stem;
}

class AtlasPainter {
public:
    AtlasPainter(const PreviewModule& module, const Options& options, fs::path folder)
        : map_(module.CreateMap()),
          sphereFont_(Font::FindDejaVuSans(LabelTextHeight(options.size.value_or(kAtlasSphereSize)))),
          plotFont_(Font::FindDejaVuSans(kPlotTextHeight)),
          style_{SampleSphere(options.size.value_or(kAtlasSphereSize)), sphereFont_,
                 options.threads > 0 ? options.threads : DefaultThreadCount(), false, options.time},
          folder_(std::move(folder)) {}

    // The sRGB fit's spheres beside the sampled values' and the truth, and
    // its curves beside the integrated ones.
    AtlasPictures Paint(const std::string& stem, const nkdata::NkData& data, const AtlasMetal& metal,
                        const spectral::Observer& observer) {
        const spectral::SpectralColour truth = IntegratedColour(data, observer, spectral::RenderingSpaceId::kSrgb);
        const std::wstring name = WideFromUtf8(metal.titles.name);
        const AtlasPictures pictures{"pictures/" + stem + "-spheres.png", "pictures/" + stem + "-curves.png"};

        const SheetLayout layout(3, style_.sphere.Size(), 3);
        Image spheres(layout.Width(), layout.Height(), kLabelBackground);
        Progress silent(nullptr, "", 0);
        DrawComparedMetal(spheres, layout, 0, map_, {data, truth, metal.srgb, name}, style_, silent);
        WritePng(spheres, (folder_ / pictures.spheres).string(), PngEncoding::kSrgb8);

        map_.SetCustomConstants(metal.srgb.fitted);
        std::vector<PlotCurve> curves = MapCurves(map_, style_.time, ConstantsSource::kSpectralFit);
        for (PlotCurve& curve : IntegratedCurves(truth, kPlotSamples)) {
            curves.push_back(std::move(curve));
        }
        WritePng(DrawReflectancePlot(curves, ValuesTitle(name, metal.srgb.fitted), plotFont_),
                 (folder_ / pictures.curves).string(), PngEncoding::kSrgb8);
        return pictures;
    }

private:
    PreviewMap map_;
    Font sphereFont_;
    Font plotFont_;
    TileStyle style_;
    fs::path folder_;
};

void WriteTextFile(const fs::path& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream file(path, std::ios::binary);
    write(file);
    file.close();
    if (!file) {
        throw ToolError("cannot write " + path.string());
    }
}

void MakeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw ToolError("cannot make the folder " + folder.string() + ": " + error.message());
    }
}

}  // namespace

void WriteAtlas(const PreviewModule& module, const Options& options, std::ostream& out, std::ostream* progressOut) {
    const nkdata::NkDatabase database = nkdata::NkDatabase::Open(options.nkDb.value());
    const std::vector<std::string> pages = ChosenPages(options, database);
    const fs::path folder(options.atlasFolder);
    MakeFolder(folder / "pictures");
    const spectral::Observer observer = spectral::Observer::Cie1931D65();
    const MapScriptWriter scripts = module.ScriptWriter();
    AtlasPainter painter(module, options, folder);
    Progress progress(progressOut, "Atlas", static_cast<long>(pages.size()));
    std::vector<AtlasEntry> entries;
    for (const std::string& page : pages) {
        AtlasEntry entry{page, page, std::nullopt, {}, ""};
        try {
            const PageTitles titles = TitlesOf(page, database);
            entry.name = titles.name;
            const nkdata::NkData data = database.ReadPage(page);
            RequireMetalColour(data);
            entry.metal = FitForAtlas(data, titles, observer, scripts);
            entry.pictures = painter.Paint(PictureStem(entries.size(), page), data, *entry.metal, observer);
        } catch (const nkdata::DataError& e) {
            entry.error = e.what();
            out << page << " gives no colour: " << PrintableText(entry.error) << '\n';
        }
        entries.push_back(std::move(entry));
        progress.Advance();
    }
    WriteTextFile(folder / "metals.json", [&](std::ostream& file) { WriteMetalsJson(entries, file); });
    WriteTextFile(folder / "metals.ms", [&](std::ostream& file) { WriteMetalsMaxScript(entries, scripts, file); });
    WriteTextFile(folder / "index.html", [&](std::ostream& file) { WriteAtlasPage(entries, file); });
    out << "Wrote " << (folder / "index.html").string() << " with " << entries.size() << " pages\n";
}

}  // namespace aurivel::preview
