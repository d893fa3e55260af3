#include "metal_colour/recommendation.h"

#include <array>
#include <functional>
#include <limits>
#include <regex>

namespace aurivel::metal_colour {
namespace {

constexpr std::array<const char*, 11> kAuthorOrder{"Rakic-BB", "Johnson", "McPeak", "Babar",    "Hagemann", "Querry",
                                                   "Palm",     "Weaver",  "Smith",  "Inagaki", "Mathewson"};

std::string PageInBook(const std::string& page) { return page.substr(page.rfind('/') + 1); }

bool OnePureMetal(const PageCandidate& c) {
    return c.alloyBook && std::regex_match(c.facts.composition, std::regex("[A-Z][a-z]?100"));
}

// Rules 2 to 6, each a rank (lower first) and what a page wins by.
struct Step {
    const char* wins;
    std::function<double(const PageCandidate&)> rank;
};

const std::array<Step, 6>& Steps() {
    static const std::array<Step, 6> steps{{
        {"by the kind of data (Werner's energy-loss constants, then calculations, last)",
         [](const PageCandidate& c) { return static_cast<double>(c.facts.source >= PageSource::kElectronEnergyLoss
                                                                      ? static_cast<int>(c.facts.source)
                                                                      : 0); }},
        {"as an alloy, where the other is one pure metal", [](const PageCandidate& c) { return OnePureMetal(c) ? 1.0 : 0.0; }},
        {"as bulk metal, or a thicker film without a coating",
         [](const PageCandidate& c) {
             const PageFacts& f = c.facts;
             if (!f.ThinOrOnSomething()) {
                 return -std::numeric_limits<double>::infinity();
             }
             return (f.coating.empty() ? 0.0 : 1e9) - f.nanometres.value_or(0.0);
         }},
        {"at room temperature", [](const PageCandidate& c) { return c.facts.RoomTemperature() ? 0.0 : 1.0; }},
        {"by the order of authors", [](const PageCandidate& c) { return static_cast<double>(AuthorRank(PageInBook(c.page))); }},
        {"by the catalog's order", [](const PageCandidate&) { return 0.0; }},
    }};
    return steps;
}

bool Eligible(const PageCandidate& c) { return c.givesColour && c.meetsFitGoal; }

// The step at which a wins over b; Steps().size() - 1 when only the
// catalog's order (a comes first) sets them apart; -1 when b wins.
int DecidingStep(const PageCandidate& a, const PageCandidate& b) {
    const std::array<Step, 6>& steps = Steps();
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        const double ra = steps[i].rank(a);
        const double rb = steps[i].rank(b);
        if (ra != rb) {
            return ra < rb ? static_cast<int>(i) : -1;
        }
    }
    return static_cast<int>(steps.size() - 1);
}

std::string Pages(std::size_t count) { return std::to_string(count) + (count == 1 ? " page" : " pages"); }

std::string ReasonFor(const std::vector<PageCandidate>& candidates, std::size_t chosen) {
    std::array<std::size_t, 6> wins{};
    std::size_t missing = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i == chosen) {
            continue;
        }
        if (!Eligible(candidates[i])) {
            ++missing;
            continue;
        }
        ++wins[static_cast<std::size_t>(DecidingStep(candidates[chosen], candidates[i]))];
    }
    std::string reason = candidates.size() == 1 ? "the book's only page" : "first of " + Pages(candidates.size());
    if (missing > 0) {
        reason += "; " + Pages(missing) + (missing == 1 ? " gives no colour or misses" : " give no colour or miss") +
                  " \xce\x94" "E2000 0.2";
    }
    for (std::size_t i = 0; i < wins.size(); ++i) {
        if (wins[i] > 0) {
            reason += "; over " + Pages(wins[i]) + " " + Steps()[i].wins;
        }
    }
    return reason;
}

}  // namespace

int AuthorRank(const std::string& pageInBook) {
    for (std::size_t i = 0; i < kAuthorOrder.size(); ++i) {
        const std::string author = kAuthorOrder[i];
        const bool same = pageInBook.compare(0, author.size(), author) == 0 &&
                          (pageInBook.size() == author.size() || pageInBook[author.size()] == '-' ||
                           pageInBook[author.size()] == '_');
        if (same && (i != 0 || pageInBook == author)) {
            return static_cast<int>(i);
        }
    }
    const bool werner = pageInBook.compare(0, 6, "Werner") == 0;
    return static_cast<int>(kAuthorOrder.size()) + (werner ? 1 : 0);
}

Recommendation RecommendPage(const std::vector<PageCandidate>& candidates) {
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!Eligible(candidates[i])) {
            continue;
        }
        if (!chosen || DecidingStep(candidates[*chosen], candidates[i]) == -1) {
            chosen = i;
        }
    }
    if (!chosen) {
        return {std::nullopt, "no page is recommended: every page gives no colour or its fit misses \xce\x94"
                              "E2000 0.2 where the colour is in gamut"};
    }
    return {chosen, ReasonFor(candidates, *chosen)};
}

}  // namespace aurivel::metal_colour
