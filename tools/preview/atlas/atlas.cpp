#include "atlas/atlas.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <filesystem>
#include <set>

#include "atlas/atlas_data.h"
#include "atlas/atlas_folder.h"
#include "base/errors.h"
#include "base/numbers.h"
#include "base/wide_text.h"
#include "measured/measured_views.h"
#include "measured/reflectance_curves.h"
#include "metal_colour/metal_library.h"
#include "metal_colour/page_facts.h"
#include "nkdata/nk_database.h"
#include "nkdata/nk_error.h"
#include "render/parallel.h"
#include "render/png_writer.h"
#include "render/render.h"
#include "utf/utf.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

constexpr int kAtlasSphereSize = 181;

const metal_colour::MetalBook* LibraryBook(const std::string& book) {
    const auto& books = metal_colour::kMetalBooks;
    const auto found = std::find_if(books.begin(), books.end(), [&](const auto& b) { return b.book == book; });
    return found == books.end() ? nullptr : &*found;
}

std::string BookOf(const std::string& page) {
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(page);
    return parsed ? parsed->BookId() : page;
}

// Every page of the library's books that this copy of the database holds.
std::vector<std::string> LibraryPages(const nkdata::NkDatabase& database) {
    std::vector<std::string> pages;
    for (const metal_colour::MetalBook& metal : metal_colour::kMetalBooks) {
        for (std::string& page : database.PagesHere(metal.book)) {
            pages.push_back(std::move(page));
        }
    }
    return pages;
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
    return LibraryPages(database);
}

const char* KnownNote(const std::string& page) {
    for (const metal_colour::PageNote& known : metal_colour::kPageNotes) {
        if (known.page == page) {
            return known.note;
        }
    }
    return nullptr;
}

// Where data themselves may mislead, as what they are tells.
std::string CautionFor(const metal_colour::PageFacts& facts) {
    switch (facts.source) {
        case metal_colour::PageSource::kElectronEnergyLoss:
            return "Werner's constants come from electron energy-loss spectra, not from optical measurements, and are "
                   "likely too bright: platinum's and molybdenum's came out far brighter than optical data give.";
        case metal_colour::PageSource::kCalculation:
            return "These constants are computed (density functional theory), not measured.";
        default:
            return "";
    }
}

// The library's name for a page's book, else the catalog's; the catalog's
// page name. Throws DataError for a page the catalog does not know.
PageTitles TitlesOf(const std::string& id, const nkdata::NkDatabase& database) {
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(id);
    const nkdata::CatalogBook& book = database.Book(parsed ? parsed->BookId() : id);
    PageTitles titles{book.name, book.name, "", "", ""};
    for (const nkdata::CatalogPage& page : book.pages) {
        if (parsed && page.page == parsed->page) {
            titles.pageName = page.name;
        }
    }
    if (const metal_colour::MetalBook* known = LibraryBook(BookOf(id))) {
        titles.name = known->name;
    }
    const char* note = KnownNote(id);
    titles.note = note ? note : "";
    return titles;
}

// The data file's path, which messages name, as the page's id: what the
// atlas writes names no folder of the machine that wrote it.
std::string WithPageId(std::string message, const std::string& page, const nkdata::NkDatabase& database) {
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(page);
    const nkdata::CatalogBook* book = parsed ? database.FindBook(parsed->BookId()) : nullptr;
    for (const nkdata::CatalogPage& candidate : book ? book->pages : std::vector<nkdata::CatalogPage>{}) {
        if (candidate.page == parsed->page) {
            const std::string file = database.DataFile(candidate);
            for (std::size_t at = message.find(file); at != std::string::npos; at = message.find(file, at)) {
                message.replace(at, file.size(), page);
            }
        }
    }
    return message;
}

// "in sRGB at 75°, 85°": where a fit misses its goal in gamut.
std::string Misses(const char* space, const metal_colour::FitReport& report) {
    std::string angles;
    for (const metal_colour::AngleJudgement& a : report.angles) {
        if (a.inGamut && a.fittedDeltaE > metal_colour::kFitGoal) {
            angles += (angles.empty() ? "" : ", ") + ShortestDecimal(a.degrees) + "\xc2\xb0";
        }
    }
    return angles.empty() ? "" : std::string("in ") + space + " at " + angles;
}

// A page whose fit misses its goal says so, with the library's reason where
// one is known.
std::string NoteFor(const AtlasMetal& metal) {
    if (!metal.titles.note.empty() || (metal.srgb.MeetsGoal() && metal.acescg.MeetsGoal())) {
        return metal.titles.note;
    }
    std::string where = Misses("sRGB", metal.srgb);
    const std::string acescg = Misses("ACEScg", metal.acescg);
    where += (where.empty() || acescg.empty() ? "" : " and ") + acescg;
    return "The fit stays above \xce\x94" "E2000 0.2 " + where +
           ", where the colour is in gamut; no reason is recorded. The page is not recommended.";
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
    // Painters paint pages side by side, each sphere on one thread.
    AtlasPainter(const PreviewModule& module, const Options& options, fs::path folder)
        : map_(module.CreateMap()),
          sphere_(options.size.value_or(kAtlasSphereSize)),
          plotFont_(Font::FindDejaVuSans(kPlotTextHeight)),
          threads_(1),
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

// A page's card without its pictures: read, fitted and judged, or the
// reason it gives no colour.
struct FittedPage {
    AtlasEntry entry;
    std::optional<metal_colour::SpectralColour> truth;  // in sRGB, which the pictures show
};

FittedPage FitPage(const std::string& page, const nkdata::NkDatabase& database, const metal_colour::Observer& observer,
                   const MapScriptWriter& scripts) {
    FittedPage fitted{{page, page, AuthorOf(page, ""), {}, {}, std::nullopt, {}, ""}, std::nullopt};
    AtlasEntry& entry = fitted.entry;
    try {
        PageTitles titles = TitlesOf(page, database);
        entry.name = titles.name;
        entry.author = AuthorOf(page, titles.pageName);
        const nkdata::NkData data = database.ReadPage(page);
        const metal_colour::PageFacts facts = metal_colour::ReadPageFacts(titles.pageName, data.comments);
        entry.flags = facts.Labels();
        for (const std::string& row : nkdata::LeftOutRows(data)) {
            entry.leftOut.push_back(WithPageId(row, page, database));
        }
        titles.caution = CautionFor(facts);
        metal_colour::RequireMetalColour(data);
        fitted.truth = metal_colour::IntegratedColour(data, observer, metal_colour::RenderingSpaceId::kSrgb);
        entry.metal = FitForAtlas(data, *fitted.truth, titles, observer, scripts);
        entry.metal->titles.note = NoteFor(*entry.metal);
    } catch (const nkdata::DataError& e) {
        entry.error = WithPageId(e.what(), page, database);
    }
    return fitted;
}

// Pages are fitted side by side, each into its own place, so the atlas is
// the same whatever the number of threads.
std::vector<FittedPage> FitPages(const std::vector<std::string>& pages, const nkdata::NkDatabase& database,
                                 const MapScriptWriter& scripts, int threads, Progress& progress) {
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    std::vector<FittedPage> entries(pages.size());
    ForEachIndex(pages.size(), threads, [&](std::size_t i) {
        entries[i] = FitPage(pages[i], database, observer, scripts);
        progress.Advance();
    });
    return entries;
}

// One painter per thread, each with a map of its own.
class AtlasPainters {
public:
    AtlasPainters(const PreviewModule& module, const Options& options, const fs::path& folder, int threads) {
        for (int t = 0; t < threads; ++t) {
            idle_.push_back(std::make_unique<AtlasPainter>(module, options, folder));
        }
    }

    // A painter that no other thread holds, while `use` runs.
    template <typename Use>
    void With(const Use& use) {
        std::unique_ptr<AtlasPainter> painter;
        {
            const std::lock_guard<std::mutex> lock(lock_);
            painter = std::move(idle_.back());
            idle_.pop_back();
        }
        use(*painter);
        const std::lock_guard<std::mutex> lock(lock_);
        idle_.push_back(std::move(painter));
    }

private:
    std::mutex lock_;
    std::vector<std::unique_ptr<AtlasPainter>> idle_;
};

// Each page's pictures, pages side by side; a picture's name holds the
// page's place, so the pictures are the same whatever the threads.
void PaintPages(std::vector<FittedPage>& pages, AtlasPainters&& painters, int threads, Progress& progress) {
    ForEachIndex(pages.size(), threads, [&](std::size_t i) {
        AtlasEntry& entry = pages[i].entry;
        if (entry.metal) {
            painters.With([&](AtlasPainter& painter) {
                entry.pictures = painter.Paint(PictureStem(i, entry.page), *pages[i].truth, *entry.metal);
            });
        }
        progress.Advance();
    });
}

metal_colour::PageCandidate CandidateOf(const AtlasEntry& entry) {
    metal_colour::PageCandidate candidate;
    candidate.page = entry.page;
    const metal_colour::MetalBook* book = LibraryBook(BookOf(entry.page));
    candidate.alloyBook = book && book->alloy;
    candidate.givesColour = entry.metal.has_value();
    if (entry.metal) {
        candidate.facts = metal_colour::ReadPageFacts(entry.metal->titles.pageName, entry.metal->comments);
        candidate.meetsFitGoal = entry.metal->srgb.MeetsGoal() && entry.metal->acescg.MeetsGoal();
    }
    return candidate;
}

// The entries as books, in the order their first pages come; each book's
// recommended page by the library's rule.
std::vector<AtlasBook> BooksOf(const std::vector<AtlasEntry>& entries, const nkdata::NkDatabase& database) {
    std::vector<AtlasBook> books;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string id = BookOf(entries[i].page);
        auto book = std::find_if(books.begin(), books.end(), [&](const AtlasBook& b) { return b.book == id; });
        if (book == books.end()) {
            const metal_colour::MetalBook* known = LibraryBook(id);
            const std::size_t slash = id.rfind('/');
            books.push_back({id, known ? known->name : entries[i].name,
                             known ? known->symbol : id.substr(slash == std::string::npos ? 0 : slash + 1),
                             known && known->alloy, {}, {}, {}});
            book = books.end() - 1;
            if (const nkdata::CatalogBook* catalog = database.FindBook(id)) {
                book->alsoCalled = database.BookNames(*catalog);
            }
        }
        book->entries.push_back(i);
    }
    for (AtlasBook& book : books) {
        std::vector<metal_colour::PageCandidate> candidates;
        for (const std::size_t i : book.entries) {
            candidates.push_back(CandidateOf(entries[i]));
        }
        book.recommendation = metal_colour::RecommendPage(candidates);
    }
    return books;
}

}  // namespace

void WriteAtlas(const PreviewModule& module, const Options& options, std::ostream& out, std::ostream* progressOut) {
    const nkdata::NkDatabase database = nkdata::NkDatabase::Open(options.nkDb.value());
    const std::vector<std::string> pages = ChosenPages(options, database);
    const AtlasFolder atlasFolder = AtlasFolder::Claim(options.atlasFolder, PlannedFiles(pages));
    const fs::path& folder = atlasFolder.Path();
    const MapScriptWriter scripts = module.ScriptWriter();
    const int threads = RenderThreads(options.threads);
    Progress progress(progressOut, "Atlas", static_cast<long>(2 * pages.size()));
    std::vector<FittedPage> fitted = FitPages(pages, database, scripts, threads, progress);
    PaintPages(fitted, AtlasPainters(module, options, folder, threads), threads, progress);
    std::vector<AtlasEntry> entries;
    std::size_t coloured = 0;
    for (FittedPage& page : fitted) {
        if (page.entry.metal) {
            ++coloured;
        } else {
            out << PrintableText(page.entry.page) << " gives no colour: " << PrintableText(page.entry.error) << '\n';
        }
        entries.push_back(std::move(page.entry));
    }
    const std::vector<AtlasBook> books = BooksOf(entries, database);
    WriteTextFile(folder / "metals.json", [&](std::ostream& file) { WriteMetalsJson(books, entries, file); });
    WriteTextFile(folder / "metals.ms",
                  [&](std::ostream& file) { WriteMetalsMaxScript(books, entries, scripts, file); });
    WriteTextFile(folder / "index.html", [&](std::ostream& file) { WriteAtlasPage(books, entries, file); });
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
