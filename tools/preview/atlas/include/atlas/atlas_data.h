// The atlas's numbers for one database page, and the files that carry them:
// metals.json, metals.ms and the web page index.html.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/maxscript.h"
#include "metal_colour/fit.h"
#include "metal_colour/material_models.h"
#include "metal_colour/recommendation.h"
#include "nkdata/nk_data.h"

namespace aurivel::preview {

// What a page names and says, from the library and the database's catalog.
struct PageTitles {
    std::string name;      // as an artist would look for it
    std::string material;  // the catalog's book, e.g. "Cu (Copper)"
    std::string pageName;  // the catalog's page, e.g. "Johnson and Christy 1972: n,k 0.188–1.937 µm"
    std::string note;      // why the fit stays above its goal; empty when none is recorded
    std::string caution;   // why the data themselves may mislead; empty when nothing is known
};

// The page with each character but ASCII letters and digits turned into the
// separator: "main_Cu_Rakic_BB" for "main/Cu/Rakic-BB" and '_', a name that
// scripts and file systems take.
std::string PageIdentifier(const std::string& page, char separator);

// Who measured a page's data, as the catalog names the page before its
// colon ("Rakić et al. 1998"), else the page's own id ("Rakic-BB").
std::string AuthorOf(const std::string& page, const std::string& pageName);

// A page's values for the map and for other material models in both
// rendering spaces.
struct AtlasMetal {
    PageTitles titles;
    std::string references;
    std::string comments;
    metal_colour::FitReport srgb;
    metal_colour::FitReport acescg;
    metal_colour::MaterialModelValues models;        // from the sRGB colour and fit
    metal_colour::MaterialModelValues modelsAcescg;  // from the ACEScg ones
    std::string maxscript;                           // the lines that make the sRGB fit's map
    std::string maxscriptAcescg;                     // and the ACEScg fit's
};

// Relative to the atlas's folder; each a sphere but the curves.
struct AtlasPictures {
    std::string sampled;   // the map with the values at the channel wavelengths
    std::string fitted;    // the map with the sRGB fit
    std::string measured;  // the integrated colour
    std::string lit;       // the fitted map as polished metal in a studio
    std::string curves;
};

struct AtlasEntry {
    std::string page;  // shelf/book/page
    std::string name;
    std::string author;
    std::vector<std::string> flags;    // what was measured: PageFacts's labels
    std::vector<std::string> leftOut;  // rows of the data left out, as LeftOutRows says, by page id
    std::optional<AtlasMetal> metal;  // none when the page gives no colour
    AtlasPictures pictures;
    std::string error;  // why the page gives no colour
};

// A book of the database as one card: its pages (indexes into the entries,
// in the catalog's order) and the one it recommends.
struct AtlasBook {
    std::string book;    // shelf/book
    std::string name;    // as an artist would look for it
    std::string symbol;  // the element's symbol, or the alloy's book
    bool alloy = false;
    std::vector<std::string> alsoCalled;  // the book's about.yml's NAMES
    std::vector<std::size_t> entries;
    metal_colour::Recommendation recommendation;  // chosen indexes into `entries`
};

// "aurivel_gold" for "Gold", "aurivel_stainless_steel" for "Stainless steel":
// the MAXScript name of a book's functions.
std::string BookFunctionName(const std::string& name);

// The page's fits in sRGB and ACEScg (judged against the integrated colour
// in each; `srgb` is the sRGB one, which the atlas paints too), what other
// material models take, and the sRGB fit's MAXScript.
AtlasMetal FitForAtlas(const nkdata::NkData& data, const metal_colour::SpectralColour& srgb, const PageTitles& titles,
                       const metal_colour::Observer& observer, const MapScriptWriter& scripts);

// {"books": [...], "metals": [...]}: one object for each book, with its
// pages, the page it recommends and why, and the spread of F0 over its
// pages; one for each entry.
void WriteMetalsJson(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries, std::ostream& out);

// MAXScript functions for each page with a colour: its map fitted for sRGB,
// for ACEScg, and an Arnold Standard Surface metal in each; a comment with
// the reason for each page without one; after a comment that says how to
// load the file and call them, with a page of the file as the example; then
// each book's four functions by its name, which make its recommended page's.
void WriteMetalsMaxScript(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries,
                          const MapScriptWriter& scripts, std::ostream& out);

// The web page: the page template with the books' and entries' JSON in it.
void WriteAtlasPage(const std::vector<AtlasBook>& books, const std::vector<AtlasEntry>& entries, std::ostream& out);

}  // namespace aurivel::preview
