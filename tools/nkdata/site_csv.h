// The database site's CSV export: a "wl,n" section of rows "wavelength,n",
// then (for absorbing materials) a "wl,k" section of rows "wavelength,k",
// wavelengths in micrometres.
#pragma once

#include <istream>
#include <string>

#include "nk_data.h"

namespace aurivel::nkdata {

// Reads and checks the whole export; without a "wl,k" section k is 0 over
// n's range. Throws DataError with "source:line: why".
NkData ReadSiteCsv(std::istream& in, const std::string& source);

}  // namespace aurivel::nkdata
