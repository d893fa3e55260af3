// The database as a whole: its catalog, pages by shelf/book/page, and what
// the data cover.
#include "nkdata/nk_database.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "expect_data_error.h"
#include "nkdata/nk_file.h"

namespace aurivel::nkdata {
namespace {

const std::string kRoot = AURIVEL_NK_DATA;

TEST(NkDatabaseTest, APageIsItsDataFile) {
    for (const std::string& root : {kRoot, kRoot + "/database"}) {
        const NkData page = NkDatabase::Open(root).ReadPage("main/Cu/Johnson");
        const std::string file = DataFile("main/Cu/nk/Johnson.yml");
        EXPECT_EQ(page.source, file);
        EXPECT_EQ(page.n.at(0.5486), 1.02);
        EXPECT_EQ(page.k.at(0.5486), 2.577);
        EXPECT_EQ(page.references, ReadNkFile(file).references);
    }
}

TEST(NkDatabaseTest, AFolderWithoutACatalogIsNoDatabase) {
    ExpectDataError([] { NkDatabase::Open("/nonexistent"); }, "/nonexistent: no catalog-nk.yml here or in database/");
}

TEST(NkDatabaseTest, AnEmptyShelfIsToldFromAMissingOne) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "empty-shelves-database";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "catalog-nk.yml") << "- SHELF: main\n  content: []\n- SHELF: glass\n  content: []\n";
    const NkDatabase database = NkDatabase::Open(folder.string());
    ExpectDataError([&] { database.Shelf("main"); }, "main: the database's shelf 'main' is empty");
    ExpectDataError([&] { database.ReadPage("glass/BK7/Schott"); }, "glass: the database's shelf 'glass' is empty");
    ExpectDataError([&] { database.Shelf("other"); }, "other: the database has no shelf 'other' (its shelves: main, glass)");
    std::filesystem::remove_all(folder);
}

TEST(NkDatabaseTest, BooksListTheirPagesUnderTheirHeadingsAsPlainText) {
    const NkDatabase database = NkDatabase::Open(kRoot);
    const CatalogBook& copper = database.Book("main/Cu");
    EXPECT_EQ(copper.name, "Cu (Copper)");
    ASSERT_GE(copper.pages.size(), 11u);
    EXPECT_EQ(copper.pages[0].page, "Johnson");
    EXPECT_EQ(copper.pages[0].name,
              "Johnson and Christy 1972: n,k 0.188\xE2\x80\x93"
              "1.937 \xC2\xB5m");
    EXPECT_EQ(copper.pages[0].group, "Experimental data");
    EXPECT_EQ(copper.pages[0].dataPath, "main/Cu/nk/Johnson.yml");
    EXPECT_EQ(copper.pages[10].page, "Rakic-LD");
    EXPECT_EQ(copper.pages[10].group, "Models and simulations");
    EXPECT_EQ(database.Book("organic/urea").name, "CH4N2O (Urea)");
    const std::vector<const CatalogBook*> glass = database.Shelf("glass");
    ASSERT_FALSE(glass.empty());
    EXPECT_EQ(glass.front()->book, "BK7-Schott");
}

TEST(DatabaseIdTest, NamesAShelfABookOrAPageAndNothingElse) {
    using Kind = DatabaseId::Kind;
    const std::optional<DatabaseId> page = ParseDatabaseId("main/Cu/Johnson");
    ASSERT_TRUE(page);
    EXPECT_EQ(std::tie(page->kind, page->shelf, page->book, page->page),
              std::make_tuple(Kind::kPage, "main", "Cu", "Johnson"));
    EXPECT_EQ(page->BookId(), "main/Cu");
    EXPECT_EQ(ParseDatabaseId("main/Cu")->kind, Kind::kBook);
    EXPECT_EQ(ParseDatabaseId("main")->kind, Kind::kShelf);
    EXPECT_FALSE(ParsePageId("main/Cu"));
    for (const char* notAnId : {"", "/main", "main/", "main//Johnson", "main/Cu/nk/Johnson"}) {
        EXPECT_FALSE(ParseDatabaseId(notAnId)) << notAnId;
    }
}

void ReadPageOfTheCopy(const std::string& id) { NkDatabase::Open(kRoot).ReadPage(id); }

INSTANTIATE_TEST_SUITE_P(
    PageLookup, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"NotAPageId", ReadPageOfTheCopy, "main/Cu", "main/Cu: a page is named shelf/book/page"},
        RefusedInput{"TooManyParts", ReadPageOfTheCopy, "main/Cu/nk/Johnson",
                     "main/Cu/nk/Johnson: a page is named shelf/book/page"},
        RefusedInput{"AnEmptyPart", ReadPageOfTheCopy, "main//Johnson",
                     "main//Johnson: a page is named shelf/book/page"},
        RefusedInput{"NoSuchShelf", ReadPageOfTheCopy, "mian/Cu/Johnson",
                     "mian: the database has no shelf 'mian' (its shelves: main,"},
        RefusedInput{"NoSuchBook", ReadPageOfTheCopy, "main/Cx/Johnson",
                     "main/Cx: the database has no book 'Cx' on shelf 'main'"},
        RefusedInput{"NoSuchPage", ReadPageOfTheCopy, "main/Cu/Jonson",
                     "main/Cu/Jonson: book main/Cu has no page 'Jonson' (its pages: Johnson, McPeak, Babar,"},
        RefusedInput{"FileNotInTheCopy", ReadPageOfTheCopy, "main/Cu/Ordal",
                     "main/Cu/Ordal: the catalog lists this page, but this copy of the database lacks its file"}),
    CaseName);

void ReadCatalogText(const std::string& text) { ReadCatalog(text, "catalog-nk.yml"); }

// A shelf whose book's content starts on line 5.
#define BOOK "- SHELF: main\n  content:\n    - BOOK: Cu\n      content:\n"

INSTANTIATE_TEST_SUITE_P(
    Catalog, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"NotAList", ReadCatalogText, "SHELF: main\n", "catalog-nk.yml:1: the catalog must be a list"},
        RefusedInput{"NotYaml", ReadCatalogText, "- SHELF: [main\n", "catalog-nk.yml:2: not valid YAML"},
        RefusedInput{"StrayItem", ReadCatalogText, "- DIVIDER: x\n- BOOK: Cu\n",
                     "catalog-nk.yml:2: expected a SHELF or a DIVIDER"},
        RefusedInput{"ShelfWithoutContent", ReadCatalogText, "- SHELF: main\n",
                     "catalog-nk.yml:1: a SHELF's content must be a list"},
        RefusedInput{"PageOnAShelf", ReadCatalogText, "- SHELF: main\n  content:\n    - PAGE: x\n",
                     "catalog-nk.yml:3: expected a BOOK or a DIVIDER"},
        RefusedInput{"SlashInABook", ReadCatalogText, "- SHELF: main\n  content:\n    - BOOK: a/b\n      content: []\n",
                     "catalog-nk.yml:3: BOOK must be a name without '/'"},
        RefusedInput{"NameNotText", ReadCatalogText,
                     BOOK "        - PAGE: J\n          name: [x]\n          data: main/Cu/nk/J.yml\n",
                     "catalog-nk.yml:6: name must be text"},
        RefusedInput{"PathUpwards", ReadCatalogText,
                     BOOK "        - PAGE: J\n          data: main/../../../etc/passwd\n",
                     "catalog-nk.yml:5: a PAGE's data must be a path inside the data folder, not "
                     "'main/../../../etc/passwd'"},
        RefusedInput{"AbsolutePath", ReadCatalogText, BOOK "        - PAGE: J\n          data: /etc/passwd\n",
                     "catalog-nk.yml:5: a PAGE's data must be a path inside the data folder"},
        RefusedInput{"NoPath", ReadCatalogText, BOOK "        - PAGE: J\n",
                     "catalog-nk.yml:5: a PAGE's data must be a path"}),
    CaseName);

#undef BOOK

// Pages whose one faulty row lies far outside the visible give a colour, and
// say which row they left out.
TEST(NkDatabaseTest, APagesFaultyRowFarFromTheVisibleIsLeftOutAndReported) {
    const NkDatabase database = NkDatabase::Open(kRoot);
    const struct {
        const char* page;
        std::size_t rows;
        const char* first;
    } pages[] = {
        {"main/Lu/Garcia-Cortes", 1,
         "Lu/nk/Garcia-Cortes.yml:2226: negative n -256.29294 (at 700475.6352 \xC2\xB5m, left out)"},
        {"main/Zr/Querry", 1,
         "Zr/nk/Querry.yml:141: unsorted wavelength 2.7174 (wavelengths must increase within a table) (at 2.7174 "
         "\xC2\xB5m, left out)"},
        {"main/Ag/Yang", 3, "Ag/nk/Yang.yml:147: duplicate wavelength 1.460E+00"},
        {"main/Cu/Querry", 1, "Cu/nk/Querry.yml:445: duplicate wavelength 5.1020"},
    };
    for (const auto& p : pages) {
        const NkData data = database.ReadPage(p.page);
        RequireCoverage(data, {0.38, 0.78});
        const std::vector<std::string> rows = LeftOutRows(data);
        ASSERT_EQ(rows.size(), p.rows) << p.page << ": " << ::testing::PrintToString(rows);
        EXPECT_NE(rows.front().find(p.first), std::string::npos) << rows.front();
    }
}

// An alloy's book says what else it is called in its about.yml; a book
// without one has no other names.
TEST(NkDatabaseTest, ABooksOtherNamesAreItsAboutFilesNames) {
    const NkDatabase database = NkDatabase::Open(kRoot);
    EXPECT_EQ(database.BookNames(database.Book("other/Cu-Zn")),
              (std::vector<std::string>{"Copper-zinc alloy", "Cu-Zn", "Brass"}));
    const std::vector<std::string> steel = database.BookNames(database.Book("other/stainless_steel"));
    EXPECT_NE(std::find(steel.begin(), steel.end(), "Inox steel"), steel.end());
    EXPECT_TRUE(database.BookNames(database.Book("main/Au")).empty());
}

TEST(CoverageTest, NamesTheQuantityThatFallsShortAndTheWavelengths) {
    const NkData data{"m.txt", "", {{0.4, 0.8}, nullptr, {}}, {{0.5, 0.7}, nullptr, {}}, ""};
    EXPECT_TRUE(Covers(data, {0.5, 0.7}));
    EXPECT_FALSE(Covers(data, {0.45, 0.7}));
    EXPECT_FALSE(Covers(data, {0.5, 0.75}));
    ExpectDataError(
        [&] {
            RequireCoverage(data, {0.38, 0.78});
        },
        "m.txt: the data give n from 0.4 to 0.8 \xC2\xB5m, not over all of 0.38 to 0.78 \xC2\xB5m as needed");
    ExpectDataError([&] { RequireCoverage(data, {0.475, 0.65}); }, "m.txt: the data give k from 0.5 to 0.7");
    RequireCoverage(data, {0.5, 0.7});
}

}  // namespace
}  // namespace aurivel::nkdata
