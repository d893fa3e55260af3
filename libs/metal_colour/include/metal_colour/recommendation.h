// Which page of a book the library recommends, by one rule:
//  1. never a page that gives no colour or whose fit misses ΔE2000 0.2
//     somewhere its colour is in gamut (in sRGB or ACEScg);
//  2. Werner's pages last: electron energy-loss constants, then DFT
//     calculations after them;
//  3. of an alloy's book, a page of one pure metal after the alloys;
//  4. bulk over thin films and films on a substrate or under a coating; of
//     films, one without a coating first, and a thicker before a thinner;
//  5. room temperature over other temperatures;
//  6. the order of authors: Rakić (Brendel-Bormann), Johnson and Christy,
//     McPeak, Babar, Hagemann, Querry, Palm, Weaver, Smith, Inagaki,
//     Mathewson, any other, Werner;
//  7. the catalog's order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "page_facts.h"

namespace aurivel::metal_colour {

struct PageCandidate {
    std::string page;  // shelf/book/page
    PageFacts facts;
    bool givesColour = false;
    bool meetsFitGoal = false;  // in both rendering spaces
    bool alloyBook = false;
};

struct Recommendation {
    std::optional<std::size_t> chosen;  // index into the candidates; none when rule 1 leaves none
    std::string reason;                 // which steps of the rule set it apart, for a user
};

// Candidates in the catalog's order.
Recommendation RecommendPage(const std::vector<PageCandidate>& candidates);

// The page's place in the order of authors (rule 6), by its id within the
// book ("Rakic-BB", "Mathewson-298K"): 0 first.
int AuthorRank(const std::string& pageInBook);

}  // namespace aurivel::metal_colour
