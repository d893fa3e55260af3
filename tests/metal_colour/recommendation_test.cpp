// The rule that picks a book's recommended page, step by step, on pages
// made for each step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metal_colour/recommendation.h"

namespace aurivel::metal_colour {
namespace {

PageCandidate Page(const std::string& page, const std::string& pageName = "", const std::string& comments = "") {
    return {page, ReadPageFacts(pageName, comments), true, true, page.rfind("other/", 0) == 0};
}

PageCandidate Missing(PageCandidate candidate) {
    candidate.meetsFitGoal = false;
    return candidate;
}

struct RuleCase {
    const char* step;
    std::vector<PageCandidate> pages;  // in the catalog's order
    const char* chosen;
    const char* because;  // in the reason
};

TEST(RecommendationTest, EachStepOfTheRuleDecidesInItsOrder) {
    const RuleCase cases[] = {
        {"the fit's goal", {Missing(Page("main/Au/Rakic-BB")), Page("main/Au/Johnson")}, "main/Au/Johnson",
         "1 page gives no colour or misses"},
        {"Werner's last",
         {Page("main/Ta/Werner", "", "Derived from reflection electron energy-loss spectroscopy (REELS) spectra."),
          Page("main/Ta/Weaver", "Weaver: 12-nm film", "on quartz")},
         "main/Ta/Weaver", "by the kind of data"},
        {"a calculation after the energy-loss data",
         {Page("main/Ta/Werner-DFT", "Werner et al. 2009: DFT calculations; n,k 0.0176–2.48 µm"),
          Page("main/Ta/Werner", "", "(REELS)")},
         "main/Ta/Werner", "by the kind of data"},
        {"an alloy over one pure metal",
         {Page("other/Au-Ag/Rioux-Au100Ag0", "Rioux: n,k; 100% Au"), Page("other/Au-Ag/Rioux-Au90Ag10",
                                                                        "Rioux: n,k; 90% Au 10% Ag")},
         "other/Au-Ag/Rioux-Au90Ag10", "as an alloy"},
        {"bulk over a thin film",
         {Page("main/Cr/Rakic-BB", "Rakić: 12 nm film"), Page("main/Cr/Querry")}, "main/Cr/Querry", "as bulk metal"},
        {"bulk over a film on a substrate",
         {Page("main/Ag/Ferrera-298K", "", "Optically thick film, deposited on a silicon wafer"), Page("main/Ag/Yang")},
         "main/Ag/Yang", "as bulk metal"},
        {"a bare film over a coated one",
         {Page("other/Ni-Fe/Tikuisis_gold150nm", "T: gold-coated, 150 nm"),
          Page("other/Ni-Fe/Tikuisis_bare150nm", "T: bare, 150 nm film")},
         "other/Ni-Fe/Tikuisis_bare150nm", "as bulk metal"},
        {"a thicker film over a thinner",
         {Page("main/Au/Rosenblatt-11nm", "R: 11-nm film"), Page("main/Au/Rosenblatt-44nm", "R: 44-nm film")},
         "main/Au/Rosenblatt-44nm", "as bulk metal"},
        {"room temperature",
         {Page("main/Pb/Mathewson-140K", "M: n,k; 140 K"), Page("main/Pb/Mathewson-298K", "M: n,k; 298 K")},
         "main/Pb/Mathewson-298K", "at room temperature"},
        {"the order of authors", {Page("main/Cu/Querry"), Page("main/Cu/Johnson")}, "main/Cu/Johnson",
         "by the order of authors"},
        {"the catalog's order", {Page("main/Ir/Schmitt-ALD"), Page("main/Ir/Schmitt-MS")}, "main/Ir/Schmitt-ALD",
         "by the catalog's order"},
    };
    for (const RuleCase& c : cases) {
        const Recommendation chosen = RecommendPage(c.pages);
        ASSERT_TRUE(chosen.chosen.has_value()) << c.step;
        EXPECT_EQ(c.pages[*chosen.chosen].page, c.chosen) << c.step;
        EXPECT_NE(chosen.reason.find(c.because), std::string::npos) << c.step << ": " << chosen.reason;
    }
}

TEST(RecommendationTest, APageThatMissesTheGoalOrGivesNoColourIsNeverRecommended) {
    PageCandidate noColour = Page("main/Lu/Garcia-Cortes");
    noColour.givesColour = false;
    const Recommendation none = RecommendPage({Missing(Page("main/Cs/Smith")), noColour});
    EXPECT_FALSE(none.chosen.has_value());
    EXPECT_NE(none.reason.find("no page is recommended"), std::string::npos) << none.reason;
}

TEST(RecommendationTest, AuthorsComeInTheLibrarysOrder) {
    const std::pair<const char*, int> ranks[] = {{"Rakic-BB", 0}, {"Johnson", 1},         {"Mathewson-298K", 10},
                                                 {"Rakic-LD", 11}, {"Rakic", 11},         {"Johnsonite", 11},
                                                 {"Werner", 12},   {"Werner-DFT", 12}};
    for (const auto& [page, rank] : ranks) {
        EXPECT_EQ(AuthorRank(page), rank) << page;
    }
}

}  // namespace
}  // namespace aurivel::metal_colour
