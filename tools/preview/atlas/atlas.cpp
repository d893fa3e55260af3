#include "atlas/atlas.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "atlas/atlas_data.h"
#include "atlas/atlas_folder.h"
#include "cli/errors.h"
#include "measured/measured_views.h"
#include "metal_colour/metal_library.h"
#include "nkdata/nk_database.h"
#include "nkdata/nk_error.h"
#include "render/png_writer.h"
#include "render/render.h"
#include "metal_colour/preset_metals.h"
#include "render/reflectance_curves.h"
#include "utf/utf.h"
#include "cli/wide_text.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

constexpr int kAtlasSphereSize = 181;

// Each page once, in the lists' order.
template <std::size_t N>
void AddPages(const std::array<metal_colour::MetalPage, N>& list, std::vector<std::string>& pages) {
    for (const metal_colour::MetalPage& metal : list) {
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
    AddPages(metal_colour::kPresetMetals, pages);
    AddPages(metal_colour::kMetalLibrary, pages);
    return pages;
}

template <std::size_t N>
const metal_colour::MetalPage* FindPage(const std::array<metal_colour::MetalPage, N>& list, const std::string& page) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto& metal) { return metal.page == page; });
    return found == list.end() ? nullptr : &*found;
}

// The library's name and note for a page it lists, else the catalog's book.
// Throws DataError for a page the catalog does not know.
PageTitles TitlesOf(const std::string& id, const nkdata::NkDatabase& database) {
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(id);
    const nkdata::CatalogBook& book = database.Book(parsed ? parsed->BookId() : id);
    PageTitles titles{book.name, book.name, "", "", ""};
    for (const nkdata::CatalogPage& page : book.pages) {
        if (parsed && page.page == parsed->page) {
            titles.pageName = page.name;
        }
    }
    const metal_colour::MetalPage* known = FindPage(metal_colour::kMetalLibrary, id);
    known = known ? known : FindPage(metal_colour::kPresetMetals, id);
    if (known) {
        titles.name = known->name;
        titles.note = known->note ? known->note : "";
        titles.caution = known->caution ? known->caution : "";
    }
    return titles;
}

// "07-main-Cu-Rakic-BB": the entry's number keeps names apart that the
// page's characters alone might not.
std::string PictureStem(std::size_t index, const std::string& page) {
    return (index < 9 ? "0" : "") + std::to_string(index + 1) + "-" + PageIdentifier(page, '-');
}

// The pictures' names: the stem, then what the picture shows.
constexpr std::array<const char*, 5> kPictureKinds{"sampled", "fitted", "measured", "lit", "curves"};

std::string PicturePath(const std::string& stem, const char* kind) { return "pictures/" + stem + "-" + kind + ".png"; }

class AtlasPainter {
public:
    AtlasPainter(const PreviewModule& module, const Options& options, fs::path folder)
        : map_(module.CreateMap()),
          sphere_(options.size.value_or(kAtlasSphereSize)),
          plotFont_(Font::FindDejaVuSans(kPlotTextHeight)),
          threads_(RenderThreads(options.threads)),
          time_(options.time),
          folder_(std::move(folder)) {}

    // The map with the sRGB fit's sampled and fitted values, the integrated
    // colour, the fitted map lit, and its curves beside the integrated ones.
    AtlasPictures Paint(const std::string& stem, const metal_colour::SpectralColour& truth, const AtlasMetal& metal) {
        const AtlasPictures pictures{PicturePath(stem, kPictureKinds[0]), PicturePath(stem, kPictureKinds[1]),
                                     PicturePath(stem, kPictureKinds[2]), PicturePath(stem, kPictureKinds[3]),
                                     PicturePath(stem, kPictureKinds[4])};
        UseConstants(metal.srgb.sampled);
        WriteSphere(pictures.sampled, map_.Shaders());
        UseConstants(metal.srgb.fitted);
        WriteSphere(pictures.fitted, map_.Shaders());
        WriteSphere(pictures.lit, LitShaders(map_.Shaders()));
        WriteSphere(pictures.measured, SpectralShaders(truth));

        std::vector<PlotCurve> curves = MapCurves(map_, time_, ConstantsSource::kSpectralFit);
        for (PlotCurve& curve : IntegratedCurves(truth, kPlotSamples)) {
            curves.push_back(std::move(curve));
        }
        WritePng(DrawReflectancePlot(curves, ValuesTitle(utf::WideFromUtf8(metal.titles.name), metal.srgb.fitted),
                                     plotFont_, kNarrowPlot),
                 (folder_ / pictures.curves).string(), PngEncoding::kSrgb8);
        return pictures;
    }

private:
    void UseConstants(const OpticalConstants& constants) {
        map_.SetCustomConstants(constants);
        map_.Update(time_);
    }

    void WriteSphere(const std::string& path, const ShaderFactory& shaders) {
        Image image(sphere_.Size(), sphere_.Size());
        Progress silent(nullptr, "", 0);
        RenderSphere(image, 0, 0, sphere_, shaders, threads_, silent);
        WritePng(image, (folder_ / path).string(), PngEncoding::kSrgb8);
    }

    PreviewMap map_;
    SampleSphere sphere_;
    Font plotFont_;
    int threads_;
    int time_;
    fs::path folder_;
};

// The files an atlas of these pages may write: its page, data and script,
// and every picture of every page.
std::set<std::string> PlannedFiles(const std::vector<std::string>& pages) {
    std::set<std::string> files{"index.html", "metals.json", "metals.ms"};
    for (std::size_t index = 0; index < pages.size(); ++index) {
        for (const char* kind : kPictureKinds) {
            files.insert(PicturePath(PictureStem(index, pages[index]), kind));
        }
    }
    return files;
}

std::set<std::string> WrittenFiles(const std::vector<AtlasEntry>& entries) {
    std::set<std::string> files{"index.html", "metals.json", "metals.ms"};
    for (const AtlasEntry& entry : entries) {
        if (entry.metal) {
            const AtlasPictures& p = entry.pictures;
            files.insert({p.sampled, p.fitted, p.measured, p.lit, p.curves});
        }
    }
    return files;
}

std::string Pages(std::size_t count) { return std::to_string(count) + (count == 1 ? " page" : " pages"); }

}  // namespace

void WriteAtlas(const PreviewModule& module, const Options& options, std::ostream& out, std::ostream* progressOut) {
    const nkdata::NkDatabase database = nkdata::NkDatabase::Open(options.nkDb.value());
    const std::vector<std::string> pages = ChosenPages(options, database);
    const AtlasFolder atlasFolder = AtlasFolder::Claim(options.atlasFolder, PlannedFiles(pages));
    const fs::path& folder = atlasFolder.Path();
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    const MapScriptWriter scripts = module.ScriptWriter();
    AtlasPainter painter(module, options, folder);
    Progress progress(progressOut, "Atlas", static_cast<long>(pages.size()));
    std::vector<AtlasEntry> entries;
    std::size_t coloured = 0;
    for (const std::string& page : pages) {
        AtlasEntry entry{page, page, AuthorOf(page, ""), std::nullopt, {}, ""};
        try {
            const PageTitles titles = TitlesOf(page, database);
            entry.name = titles.name;
            entry.author = AuthorOf(page, titles.pageName);
            const nkdata::NkData data = database.ReadPage(page);
            metal_colour::RequireMetalColour(data);
            const metal_colour::SpectralColour truth =
                metal_colour::IntegratedColour(data, observer, metal_colour::RenderingSpaceId::kSrgb);
            entry.metal = FitForAtlas(data, truth, titles, observer, scripts);
            entry.pictures = painter.Paint(PictureStem(entries.size(), page), truth, *entry.metal);
            ++coloured;
        } catch (const nkdata::DataError& e) {
            entry.error = e.what();
            out << PrintableText(page) << " gives no colour: " << PrintableText(entry.error) << '\n';
        }
        entries.push_back(std::move(entry));
        progress.Advance();
    }
    WriteTextFile(folder / "metals.json", [&](std::ostream& file) { WriteMetalsJson(entries, file); });
    WriteTextFile(folder / "metals.ms", [&](std::ostream& file) { WriteMetalsMaxScript(entries, scripts, file); });
    WriteTextFile(folder / "index.html", [&](std::ostream& file) { WriteAtlasPage(entries, file); });
    atlasFolder.Finish(WrittenFiles(entries));
    const std::string index = (folder / "index.html").string();
    if (coloured == 0) {
        const bool one = entries.size() == 1;
        throw ToolError("no page gives a colour (" + Pages(entries.size()) + (one ? ", listed" : ", each listed") +
                        " above with why); " + index + (one ? " lists it" : " lists them"));
    }
    out << "Wrote " << PrintableText(index) << " with " << Pages(entries.size());
    if (coloured < entries.size()) {
        out << ", " << entries.size() - coloured << " of them without a colour";
    }
    out << '\n';
}

}  // namespace aurivel::preview
