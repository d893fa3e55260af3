#include "measured/nk_source.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "base/numbers.h"
#include "base/wide_text.h"
#include "files/file_identity.h"
#include "measured/metal_by_name.h"
#include "metal_colour/channel_wavelengths.h"
#include "metal_colour/metal_library.h"
#include "nkdata/nk_database.h"
#include "nkdata/nk_error.h"
#include "nkdata/nk_file.h"
#include "render/render.h"

namespace aurivel::preview {
namespace {

// The copy of the database in the project, where --nk finds a metal by name
// unless --nk-db names another.
constexpr const char* kProjectDatabase = AURIVEL_PROJECT_NK_DATABASE;

std::size_t PagesPresent(const nkdata::NkDatabase& database, const nkdata::CatalogBook& book) {
    return static_cast<std::size_t>(std::count_if(book.pages.begin(), book.pages.end(), [&](const auto& page) {
        return nkdata::Exists(database.DataFile(page));
    }));
}

// A copy of the database may hold only some of the files that its catalog
// lists: the listing says how many are here.
void PrintPresence(std::size_t present, std::size_t pages, std::ostream& out) {
    out << present << " of " << pages << (pages == 1 ? " page has" : " pages have")
        << " a data file in this copy of the database\n";
}

void PrintBook(const nkdata::NkDatabase& database, const nkdata::CatalogBook& book, std::ostream& out) {
    out << book.shelf << '/' << book.book << ": " << book.name << '\n';
    std::size_t width = 0;
    for (const nkdata::CatalogPage& page : book.pages) {
        width = std::max(width, page.page.size());
    }
    std::string group;
    for (const nkdata::CatalogPage& page : book.pages) {
        if (page.group != group) {
            group = page.group;
            out << "  " << group << '\n';
        }
        const bool present = nkdata::Exists(database.DataFile(page));
        out << "    " << std::left << std::setw(static_cast<int>(width + 2)) << page.page << page.name
            << (present ? "" : "  (no data file in this copy)") << '\n';
    }
    PrintPresence(PagesPresent(database, book), book.pages.size(), out);
}

void PrintShelf(const nkdata::NkDatabase& database, const std::vector<const nkdata::CatalogBook*>& books,
                std::ostream& out) {
    std::size_t width = 0;
    for (const nkdata::CatalogBook* book : books) {
        width = std::max(width, book->shelf.size() + 1 + book->book.size());
    }
    std::size_t present = 0;
    std::size_t pages = 0;
    for (const nkdata::CatalogBook* book : books) {
        const std::size_t here = PagesPresent(database, *book);
        out << "  " << std::left << std::setw(static_cast<int>(width + 2)) << book->shelf + "/" + book->book
            << book->name << "  ("
            << (here == 0 ? std::string("no page")
                          : std::to_string(here) + " of " + std::to_string(book->pages.size()) +
                                (book->pages.size() == 1 ? " page" : " pages"))
            << " here)\n";
        present += here;
        pages += book->pages.size();
    }
    PrintPresence(present, pages, out);
}

}  // namespace

std::optional<nkdata::NkData> ReadNkSource(const Options& options, std::ostream& report) {
    if (options.nkCsv) {
        return nkdata::ReadSiteCsvFile(*options.nkCsv);
    }
    if (options.nk.empty()) {
        return std::nullopt;
    }
    const std::string& named = options.nk.front();
    const bool page = options.nkDb && nkdata::ParsePageId(named);
    const bool file = !options.nkDb && files::IdentityOf(named).has_value();
    const metal_colour::MetalBook* metal = page || file ? nullptr : metal_colour::FindMetal(named);
    if (metal) {
        const nkdata::NkDatabase database = nkdata::NkDatabase::Open(options.nkDb.value_or(kProjectDatabase));
        const ChosenPage chosen = RecommendedPageOf(*metal, database, RenderThreads(options.threads));
        report << PrintableText(named) << ": " << metal->name << "'s recommended page, " << chosen.page << " ("
               << chosen.reason << ")\n";
        return database.ReadPage(chosen.page);
    }
    if (!page && !file) {
        nkdata::Fail(named, 0,
                     std::string(options.nkDb ? "no page (shelf/book/page) and no metal by that name"
                                              : "no such file, and no metal by that name") +
                         "; the metals: " + metal_colour::MetalNames());
    }
    return page ? nkdata::NkDatabase::Open(*options.nkDb).ReadPage(named) : nkdata::ReadNkFile(named);
}

void PrintNkConstants(const nkdata::NkData& data, const OpticalConstants& c, std::ostream& out) {
    out << "Optical constants from " << PrintableText(data.source) << " at " << metal_colour::ChannelLabel(0) << ", "
        << metal_colour::ChannelLabel(1) << ", " << metal_colour::ChannelLabel(2) << " \xc2\xb5m:\n"
        << "  n = " << ShortestDecimal(c.nr) << ' ' << ShortestDecimal(c.ng) << ' ' << ShortestDecimal(c.nb) << '\n'
        << "  k = " << ShortestDecimal(c.kr) << ' ' << ShortestDecimal(c.kg) << ' ' << ShortestDecimal(c.kb) << '\n';
    for (const std::string& row : nkdata::LeftOutRows(data)) {
        out << "Left out of the data: " << PrintableText(row) << '\n';
    }
    if (!data.references.empty()) {
        out << "References:\n";
        std::istringstream lines(data.references);
        for (std::string line; std::getline(lines, line);) {
            out << "  " << PrintableText(line) << '\n';
        }
    }
}

void PrintNkList(const Options& options, std::ostream& out) {
    const nkdata::NkDatabase database = nkdata::NkDatabase::Open(options.nkDb.value());
    const std::string& id = options.nkList.value();
    const std::optional<nkdata::DatabaseId> parsed = nkdata::ParseDatabaseId(id);
    if (parsed && parsed->kind == nkdata::DatabaseId::Kind::kShelf) {
        PrintShelf(database, database.Shelf(id), out);
    } else {
        PrintBook(database, database.Book(id), out);
    }
}

}  // namespace aurivel::preview
