// The n and k data that the command line names (--nk, --nk-db, --nk-csv),
// the printout of their three-wavelength constants, and the database
// listings of --nk-list.
#pragma once

#include <optional>
#include <ostream>

#include "cli/options.h"
#include "nkdata/nk_data.h"
#include "shading/shading_types.h"

namespace aurivel::preview {

// The data file or database page the options name, or a metal's
// recommended page (--nk gold), which it names on report; nothing when none.
// Throws nkdata::DataError, listing the metals for a name that is neither.
std::optional<nkdata::NkData> ReadNkSource(const Options& options, std::ostream& report);

// The constants as the map takes them, and the data's references.
void PrintNkConstants(const nkdata::NkData& data, const OpticalConstants& constants, std::ostream& out);

// --nk-list: a book's pages under their headings, or a shelf's books.
void PrintNkList(const Options& options, std::ostream& out);

}  // namespace aurivel::preview
