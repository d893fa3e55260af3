// The database site's CSV export: a "wl,n" section of rows "wavelength,n",
// then (for absorbing materials) a "wl,k" section of rows "wavelength,k",
// wavelengths in micrometres.
#pragma once

#include <string>
#include <string_view>

#include "nk_data.h"

namespace aurivel::nkdata {

// Reads and checks the whole export, line by line; without a "wl,k" section
// k is 0 over n's range. Throws DataError with "source:line: why".
NkData ReadSiteCsv(std::string_view text, const std::string& source);

}  // namespace aurivel::nkdata
