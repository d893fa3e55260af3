// A plain table of optical constants: one row per wavelength, "wavelength n
// k" (micrometres), the columns separated by commas, tabs or spaces; '#'
// starts a comment that runs to the end of its line.
#pragma once

#include <string>
#include <string_view>

#include "nk_data.h"

namespace aurivel::nkdata {

// Reads and checks the whole table, line by line. Throws DataError with
// "source:line: why".
NkData ReadPlainTable(std::string_view text, const std::string& source);

}  // namespace aurivel::nkdata
