// The database as its own layout has it: catalog-nk.yml lists shelves, their
// books (materials) and the books' pages (one data set each), and
// data/<shelf>/<book>/nk/<page>.yml holds each page's data file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nk_data.h"

namespace aurivel::nkdata {

struct CatalogPage {
    std::string page;      // its id within the book, e.g. "Johnson"
    std::string name;      // e.g. "Johnson and Christy 1972: n,k 0.188–1.937 µm", plain text
    std::string group;     // the catalog's heading above it in the book, plain text; empty when none
    std::string dataPath;  // relative to the data folder, e.g. "main/Cu/nk/Johnson.yml"
};

struct CatalogBook {
    std::string shelf;  // e.g. "main"
    std::string book;   // e.g. "Cu"
    std::string name;   // e.g. "Cu (Copper)", plain text
    std::vector<CatalogPage> pages;
};

// An id in the database: a shelf ("main"), a book ("main/Cu") or a page
// ("main/Cu/Johnson"); the parts it does not name are empty.
struct DatabaseId {
    enum class Kind { kShelf, kBook, kPage };
    Kind kind;
    std::string shelf;
    std::string book;
    std::string page;

    std::string BookId() const { return shelf + "/" + book; }
};

// The id's parts, or nullopt when it has an empty part or more than three.
std::optional<DatabaseId> ParseDatabaseId(const std::string& id);
// The id's parts when it names a page, else nullopt.
std::optional<DatabaseId> ParsePageId(const std::string& id);

// Reads catalog-nk.yml from memory; `source` names it in messages. Throws
// DataError with "source:line: why" where the catalog is not as described
// above, or a data path leaves the data folder.
std::vector<CatalogBook> ReadCatalog(const std::string& text, const std::string& source);

class NkDatabase {
public:
    // `root`: the folder that holds catalog-nk.yml and data/, or the one
    // above it (a clone of the database, with database/catalog-nk.yml).
    static NkDatabase Open(const std::string& root);

    // A page by "shelf/book/page", e.g. "main/Cu/Johnson"; messages name
    // the page's data file.
    NkData ReadPage(const std::string& id) const;

    // A book by "shelf/book", e.g. "main/Cu".
    const CatalogBook& Book(const std::string& id) const;
    // The same, or nullptr where the catalog has no such book.
    const CatalogBook* FindBook(const std::string& id) const;

    // The books on a shelf, by its id, e.g. "main".
    std::vector<const CatalogBook*> Shelf(const std::string& id) const;

    // The book's pages whose data file this copy holds, as shelf/book/page,
    // in the catalog's order.
    std::vector<std::string> PagesHere(const std::string& bookId) const;

    // The other names a book goes by, from the NAMES of the about.yml beside
    // its pages' folders ("Brass", "Inox steel"); none where the copy has no
    // about.yml. Throws DataError where the file is not as described.
    std::vector<std::string> BookNames(const CatalogBook& book) const;

    // Where the page's data file is, whether or not it is there.
    std::string DataFile(const CatalogPage& page) const;

private:
    NkDatabase(std::string folder, std::vector<std::string> shelves, std::vector<CatalogBook> books);

    std::string folder_;                // the one that holds catalog-nk.yml
    std::vector<std::string> shelves_;  // in the catalog's order, empty ones too
    std::vector<CatalogBook> books_;
};

}  // namespace aurivel::nkdata
