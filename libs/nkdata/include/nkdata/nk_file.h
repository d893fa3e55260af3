// n/k data read by path, in any of the formats the readers know.
#pragma once

#include <string>
#include <string_view>

#include "nk_data.h"

namespace aurivel::nkdata {

enum class NkFormat {
    kDatabaseYaml,  // a database data file (nk_yaml.h)
    kSiteCsv,       // the database site's CSV export (site_csv.h)
    kPlainTable,    // "wavelength n k" rows (plain_table.h)
};

// Told by the first line that is neither blank nor a '#' comment: "wl,..."
// starts a CSV export, a number a plain table; anything else is YAML. Lines
// up to that one are held to a data file's longest line (DataError naming
// `source`), so a file without a line end is refused before it is parsed.
NkFormat DetectFormat(std::string_view text, const std::string& source);

// The text read as `format`; `source` names it in messages.
NkData ReadNkText(const std::string& text, NkFormat format, const std::string& source);

// The whole file's bytes, read through the file library: only a
// regular file within the size of a data file is read, its size checked
// before any of it is. DataError with the services' refusal ("<path> is a
// directory") otherwise.
std::string ReadFileText(const std::string& path);

// Whether anything is at the path, a readable file or not (ReadFileText then
// says why not); looked at without blocking or reading.
bool Exists(const std::string& path);

// A file in whichever format DetectFormat finds; messages name it by path.
NkData ReadNkFile(const std::string& path);

// A file that must be a database data file.
NkData ReadNkYamlFile(const std::string& path);

// A file that must be the site's CSV export.
NkData ReadSiteCsvFile(const std::string& path);

}  // namespace aurivel::nkdata
