#include "measured/metal_by_name.h"

#include <vector>

#include "metal_colour/fit.h"
#include "metal_colour/recommendation.h"
#include "nkdata/nk_error.h"
#include "render/parallel.h"

namespace aurivel::preview {
namespace {

std::string CatalogName(const nkdata::NkDatabase& database, const std::string& id) {
    const nkdata::DatabaseId page = nkdata::ParsePageId(id).value();
    for (const nkdata::CatalogPage& candidate : database.Book(page.BookId()).pages) {
        if (candidate.page == page.page) {
            return candidate.name;
        }
    }
    return {};
}

bool FitMeetsGoal(const nkdata::NkData& data, const metal_colour::Observer& observer,
                  metal_colour::RenderingSpaceId space) {
    return metal_colour::FitMeasured(data, metal_colour::IntegratedColour(data, observer, space)).MeetsGoal();
}

// A page as the rule weighs it; one that the readers refuse gives no colour.
metal_colour::PageCandidate JudgePage(const nkdata::NkDatabase& database, const std::string& page, bool alloy,
                                      const metal_colour::Observer& observer) {
    metal_colour::PageCandidate candidate{page, {}, false, false, alloy};
    try {
        const nkdata::NkData data = database.ReadPage(page);
        candidate.facts = metal_colour::ReadPageFacts(CatalogName(database, page), data.comments);
        metal_colour::RequireMetalColour(data);
        candidate.givesColour = true;
        candidate.meetsFitGoal = FitMeetsGoal(data, observer, metal_colour::RenderingSpaceId::kSrgb) &&
                                 FitMeetsGoal(data, observer, metal_colour::RenderingSpaceId::kAcescg);
    } catch (const nkdata::DataError&) {
        candidate.givesColour = false;
    }
    return candidate;
}

}  // namespace

ChosenPage RecommendedPageOf(const metal_colour::MetalBook& metal, const nkdata::NkDatabase& database, int threads) {
    const std::vector<std::string> pages = database.PagesHere(metal.book);
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    std::vector<metal_colour::PageCandidate> candidates(pages.size());
    ForEachIndex(pages.size(), threads,
                 [&](std::size_t i) { candidates[i] = JudgePage(database, pages[i], metal.alloy, observer); });
    const metal_colour::Recommendation chosen = metal_colour::RecommendPage(candidates);
    if (!chosen.chosen) {
        nkdata::Fail(metal.book, 0, std::string(metal.name) + ": " + chosen.reason + "; choose one of its pages with --nk-db and --nk shelf/book/page");
    }
    return {pages[*chosen.chosen], chosen.reason};
}

}  // namespace aurivel::preview
