// A metal by name (--nk gold): the page the library recommends of its book,
// judged as the atlas judges it.
#pragma once

#include <string>

#include "metal_colour/metal_library.h"
#include "nkdata/nk_database.h"

namespace aurivel::preview {

struct ChosenPage {
    std::string page;    // shelf/book/page
    std::string reason;  // why the rule chose it
};

// Every page of the metal's book that the copy of the database holds, read
// and fitted in sRGB and ACEScg on `threads` threads, then the rule of
// recommendation.h. Throws nkdata::DataError when the book recommends no
// page, with the reason.
ChosenPage RecommendedPageOf(const metal_colour::MetalBook& metal, const nkdata::NkDatabase& database, int threads);

}  // namespace aurivel::preview
