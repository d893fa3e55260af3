#include "nkdata/nk_database.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <filesystem>

#include "nkdata/nk_error.h"
#include "nkdata/nk_file.h"
#include "nkdata/plain_text.h"
#include "nkdata/yaml_document.h"

namespace aurivel::nkdata {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCatalogFile = "catalog-nk.yml";

// The catalog's shelves are kept apart from its books, so that an empty
// shelf can be told from a missing one.
struct Catalog {
    std::vector<std::string> shelves;
    std::vector<CatalogBook> books;
};

class CatalogReader {
public:
    CatalogReader(const std::string& text, const std::string& source) : text_(text), source_(source) {}

    Catalog Read() {
        for (const YAML::Node& item : List(ParseYaml(text_, source_), "", "the catalog")) {
            if (item.IsMap() && item["SHELF"]) {
                ReadShelf(item);
            } else if (!IsDivider(item)) {
                Fail(source_, LineOf(item), "expected a SHELF or a DIVIDER");
            }
        }
        return std::move(catalog_);
    }

private:
    static bool IsDivider(const YAML::Node& item) { return item.IsMap() && item["DIVIDER"]; }

    // The list under `key`, or the whole document when the key is empty.
    YAML::Node List(const YAML::Node& parent, const char* key, const std::string& what) const {
        const YAML::Node node = *key ? parent[key] : parent;
        if (!node || !node.IsSequence()) {
            Fail(source_, LineOf(node ? node : parent), what + " must be a list");
        }
        return node;
    }

    std::string Text(const YAML::Node& item, const char* key) const {
        const YAML::Node node = item[key];
        if (!node) {
            return {};
        }
        if (!node.IsScalar()) {
            Fail(source_, LineOf(node), std::string(key) + " must be text");
        }
        return node.Scalar();
    }

    std::string Id(const YAML::Node& item, const char* key) const {
        const std::string id = Text(item, key);
        if (id.empty() || id.find('/') != std::string::npos) {
            Fail(source_, LineOf(item), std::string(key) + " must be a name without '/'");
        }
        return id;
    }

    void ReadShelf(const YAML::Node& shelf) {
        const std::string id = Id(shelf, "SHELF");
        catalog_.shelves.push_back(id);
        for (const YAML::Node& item : List(shelf, "content", "a SHELF's content")) {
            if (item.IsMap() && item["BOOK"]) {
                catalog_.books.push_back(ReadBook(id, item));
            } else if (!IsDivider(item)) {
                Fail(source_, LineOf(item), "expected a BOOK or a DIVIDER");
            }
        }
    }

    CatalogBook ReadBook(const std::string& shelf, const YAML::Node& book) const {
        CatalogBook read{shelf, Id(book, "BOOK"), PlainText(Text(book, "name")), {}};
        std::string group;
        for (const YAML::Node& item : List(book, "content", "a BOOK's content")) {
            if (IsDivider(item)) {
                group = PlainText(Text(item, "DIVIDER"));
            } else if (item.IsMap() && item["PAGE"]) {
                read.pages.push_back({Id(item, "PAGE"), PlainText(Text(item, "name")), group, DataPath(item)});
            } else {
                Fail(source_, LineOf(item), "expected a PAGE or a DIVIDER");
            }
        }
        return read;
    }

    // Data paths stay inside the data folder.
    std::string DataPath(const YAML::Node& page) const {
        const std::string path = Text(page, "data");
        const fs::path relative(path);
        bool leaves = path.empty() || relative.is_absolute() || relative.has_root_path();
        for (const fs::path& part : relative) {
            leaves = leaves || part == "..";
        }
        if (leaves) {
            Fail(source_, LineOf(page), "a PAGE's data must be a path inside the data folder, not '" + path + "'");
        }
        return path;
    }

    const std::string& text_;
    const std::string& source_;
    Catalog catalog_;
};

Catalog ReadWholeCatalog(const std::string& text, const std::string& source) {
    return ReadingYaml(source, [&] { return CatalogReader(text, source).Read(); });
}

}  // namespace

std::vector<CatalogBook> ReadCatalog(const std::string& text, const std::string& source) {
    return ReadWholeCatalog(text, source).books;
}

std::optional<DatabaseId> ParseDatabaseId(const std::string& id) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t slash = id.find('/', start);
        parts.push_back(id.substr(start, slash - start));
        if (parts.back().empty() || parts.size() > 3) {
            return std::nullopt;
        }
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
    using Kind = DatabaseId::Kind;
    const Kind kind = parts.size() == 1 ? Kind::kShelf : parts.size() == 2 ? Kind::kBook : Kind::kPage;
    parts.resize(3);
    return DatabaseId{kind, parts[0], parts[1], parts[2]};
}

std::optional<DatabaseId> ParsePageId(const std::string& id) {
    std::optional<DatabaseId> parsed = ParseDatabaseId(id);
    return parsed && parsed->kind == DatabaseId::Kind::kPage ? parsed : std::nullopt;
}

NkDatabase::NkDatabase(std::string folder, std::vector<std::string> shelves, std::vector<CatalogBook> books)
    : folder_(std::move(folder)), shelves_(std::move(shelves)), books_(std::move(books)) {}

NkDatabase NkDatabase::Open(const std::string& root) {
    for (const fs::path& folder : {fs::path(root), fs::path(root) / "database"}) {
        const fs::path catalog = folder / kCatalogFile;
        if (Exists(catalog.string())) {
            Catalog read = ReadWholeCatalog(ReadFileText(catalog.string()), catalog.string());
            return NkDatabase(folder.string(), std::move(read.shelves), std::move(read.books));
        }
    }
    Fail(root, 0,
         std::string("no ") + kCatalogFile + " here or in database/ (give the folder of a copy of the database)");
}

const CatalogBook& NkDatabase::Book(const std::string& id) const {
    const std::optional<DatabaseId> parsed = ParseDatabaseId(id);
    if (!parsed || parsed->kind != DatabaseId::Kind::kBook) {
        Fail(id, 0, "a book is named shelf/book, e.g. main/Cu");
    }
    if (const CatalogBook* book = FindBook(id)) {
        return *book;
    }
    Shelf(parsed->shelf);  // names a missing shelf first
    Fail(id, 0, "the database has no book '" + parsed->book + "' on shelf '" + parsed->shelf + "'");
}

const CatalogBook* NkDatabase::FindBook(const std::string& id) const {
    const std::optional<DatabaseId> parsed = ParseDatabaseId(id);
    for (const CatalogBook& book : books_) {
        if (parsed && parsed->kind == DatabaseId::Kind::kBook && book.shelf == parsed->shelf &&
            book.book == parsed->book) {
            return &book;
        }
    }
    return nullptr;
}

std::vector<const CatalogBook*> NkDatabase::Shelf(const std::string& id) const {
    std::vector<const CatalogBook*> books;
    for (const CatalogBook& book : books_) {
        if (book.shelf == id) {
            books.push_back(&book);
        }
    }
    if (!books.empty()) {
        return books;
    }
    if (std::find(shelves_.begin(), shelves_.end(), id) != shelves_.end()) {
        Fail(id, 0, "the database's shelf '" + id + "' is empty: the catalog lists no books on it");
    }
    if (shelves_.empty()) {
        Fail(id, 0, "the database's catalog lists no shelves");
    }
    std::string shelves;
    for (const std::string& shelf : shelves_) {
        shelves += (shelves.empty() ? "" : ", ") + shelf;
    }
    Fail(id, 0, "the database has no shelf '" + id + "' (its shelves: " + shelves + ")");
}

NkData NkDatabase::ReadPage(const std::string& id) const {
    const std::optional<DatabaseId> parsed = ParsePageId(id);
    if (!parsed) {
        Fail(id, 0, "a page is named shelf/book/page, e.g. main/Cu/Johnson");
    }
    const CatalogBook& book = Book(parsed->BookId());
    const std::string& page = parsed->page;
    std::string pages;
    for (const CatalogPage& candidate : book.pages) {
        if (candidate.page == page) {
            const std::string file = DataFile(candidate);
            if (!Exists(file)) {
                Fail(id, 0, "the catalog lists this page, but this copy of the database lacks its file " + file);
            }
            return ReadNkYamlFile(file);
        }
        pages += (pages.empty() ? "" : ", ") + candidate.page;
    }
    Fail(id, 0, "book " + book.shelf + "/" + book.book + " has no page '" + page + "' (its pages: " + pages + ")");
}

std::vector<std::string> NkDatabase::PagesHere(const std::string& bookId) const {
    const CatalogBook& book = Book(bookId);
    std::vector<std::string> pages;
    for (const CatalogPage& page : book.pages) {
        if (Exists(DataFile(page))) {
            pages.push_back(book.shelf + "/" + book.book + "/" + page.page);
        }
    }
    return pages;
}

std::vector<std::string> NkDatabase::BookNames(const CatalogBook& book) const {
    if (book.pages.empty()) {
        return {};
    }
    // data/<book's folder>/nk/<page>.yml: about.yml is in the book's folder.
    const fs::path about = fs::path(DataFile(book.pages.front())).parent_path().parent_path() / "about.yml";
    if (!Exists(about.string())) {
        return {};
    }
    const std::string source = about.string();
    return ReadingYaml(source, [&] {
        const YAML::Node names = ParseYaml(ReadFileText(source), source)["NAMES"];
        std::vector<std::string> read;
        if (!names) {
            return read;
        }
        if (!names.IsSequence()) {
            Fail(source, LineOf(names), "NAMES must be a list");
        }
        for (const YAML::Node& name : names) {
            if (!name.IsScalar()) {
                Fail(source, LineOf(name), "each of NAMES must be text");
            }
            read.push_back(name.Scalar());
        }
        return read;
    });
}

std::string NkDatabase::DataFile(const CatalogPage& page) const {
    return (fs::path(folder_) / "data" / page.dataPath).string();
}

}  // namespace aurivel::nkdata
