// What the library reads of a page from its catalog name and its COMMENTS,
// on the database's own pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metal_colour/page_facts.h"
#include "nkdata/nk_database.h"
#include "project_database.h"

namespace aurivel::metal_colour {
namespace {

PageFacts FactsOf(const std::string& id) {
    const nkdata::DatabaseId page = nkdata::ParsePageId(id).value();
    for (const nkdata::CatalogPage& candidate : Database().Book(page.BookId()).pages) {
        if (candidate.page == page.page) {
            return ReadPageFacts(candidate.name, Database().ReadPage(id).comments);
        }
    }
    throw std::invalid_argument(id + " is not in the catalog");
}

struct FactsCase {
    const char* page;
    std::vector<std::string> labels;
};

TEST(PageFactsTest, LabelsSayWhatEachPageMeasured) {
    const FactsCase cases[] = {
        {"main/Au/Johnson", {"table"}},
        {"main/Au/Rakic-BB", {"Brendel-Bormann model"}},
        {"main/Ta/Werner", {"electron energy-loss (REELS)"}},
        {"main/Ta/Werner-DFT", {"DFT calculation"}},
        {"main/Au/Yakubovsky-25nm", {"table", "thin film 25 nm", "on Si wafer", "293 K (room temperature)"}},
        {"main/Au/Lemarchand-3.96nm", {"table", "thin film 3.96 nm"}},
        {"main/Cr/Sytchkova", {"table", "thin film 12 nm", "on fused silica"}},
        {"main/Ag/Ferrera-404K", {"table", "optically thick film", "on silicon wafer", "404 K"}},
        {"main/In/Mathewson-140K", {"table", "140 K"}},
        {"main/Na/Inagaki-liquid", {"table", "393 K", "liquid"}},
        // Palm's comments name the annealing's 350 °C after "Room temperature".
        {"main/Ti/Palm", {"table", "thin film 200 nm"}},
        {"other/Au-Ag/Rioux-Au50Ag50", {"a model fitted to measurements", "thin film 80 nm", "Au50Ag50"}},
        {"other/Cu-Zn/Querry-Cu70Zn30", {"table", "Cu70Zn30"}},
        {"other/Ni-Fe/Tikuisis_gold10nm", {"table", "thin film 10 nm", "coated with gold", "Ni80Fe20"}},
        {"other/Ni-Fe/Tikuisis_bare150nm", {"table", "thin film 150 nm", "Ni80Fe20"}},
        {"other/Pd-H/Palm", {"table", "thin film 200 nm", "hydride under 7 bar H2"}},
        {"other/stainless_steel/Karlsson-ferritic", {"table", "Cr 13.5; Ni 0.16; C 0.048; Mn 0.27 (% by weight)"}},
    };
    for (const FactsCase& c : cases) {
        EXPECT_EQ(FactsOf(c.page).Labels(), c.labels) << c.page;
    }
}

TEST(PageFactsTest, ThinFilmsAndOtherTemperaturesAreToldApart) {
    EXPECT_FALSE(FactsOf("main/Au/Johnson").ThinOrOnSomething());
    EXPECT_FALSE(FactsOf("main/Au/Magnozzi-25C").ThinOrOnSomething());  // optically thick, on nothing named
    EXPECT_TRUE(FactsOf("main/Au/Rosenblatt-44nm").ThinOrOnSomething());
    EXPECT_TRUE(FactsOf("main/Ag/Ferrera-298K").ThinOrOnSomething());  // on a silicon wafer
    EXPECT_TRUE(FactsOf("main/Au/Magnozzi-25C").RoomTemperature());
    EXPECT_FALSE(FactsOf("main/Au/Magnozzi-225C").RoomTemperature());
    EXPECT_TRUE(FactsOf("main/Hg/Inagaki").RoomTemperature());
}

}  // namespace
}  // namespace aurivel::metal_colour
