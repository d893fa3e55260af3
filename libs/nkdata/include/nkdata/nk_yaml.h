// The database's data files: YAML with REFERENCES and COMMENTS (HTML-marked
// text) and a DATA list whose entries give n, k or both, as tables
// ("tabulated nk", "tabulated n", "tabulated k") or dispersion formulas
// ("formula 1" to "formula 9"), wavelengths in micrometres.
#pragma once

#include <string>

#include "nk_data.h"

namespace aurivel::nkdata {

// Reads a whole data file from memory; `source` names it in messages.
// Entries may share the work (a formula for n, a table for k) but not give
// the same quantity twice; without k, k is 0 over n's range. Throws
// DataError with "source:line: why".
NkData ReadNkYaml(const std::string& text, const std::string& source);

}  // namespace aurivel::nkdata
