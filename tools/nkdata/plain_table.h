// A plain table of optical constants: one row per wavelength, "wavelength n
// k" (micrometres), the columns separated by commas, tabs or spaces; '#'
// starts a comment that runs to the end of its line.
#pragma once

#include <istream>
#include <string>

#include "nk_data.h"

namespace aurivel::nkdata {

// Reads and checks the whole table. Throws DataError with "source:line: why".
NkData ReadPlainTable(std::istream& in, const std::string& source);

}  // namespace aurivel::nkdata
