// The project's copy of the optical-constants database, which the tests of
// measured metals read.
#pragma once

#include "nkdata/nk_database.h"

namespace aurivel::metal_colour {

inline const nkdata::NkDatabase& Database() {
    static const nkdata::NkDatabase database =
        nkdata::NkDatabase::Open(AURIVEL_SOURCE_DIR "/data/refractiveindex.info");
    return database;
}

}  // namespace aurivel::metal_colour
