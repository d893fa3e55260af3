// The database's YAML files parsed within the bounds of a data file. yaml-cpp
// builds a node of about half a kilobyte for every value, so 16 MiB of tiny
// values ("[0,0,0,...]") would take gigabytes and many seconds; the values
// are counted first, without building anything, and a file with far more
// than the database's largest is refused.
#pragma once

#include <yaml-cpp/yaml.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace aurivel::nkdata {

// The database's catalog, its largest file, holds about 30,000 values.
inline constexpr std::size_t kMostYamlValues = 100000;

// The first document's root; `source` names the text in messages. Throws
// DataError "source:line: not valid YAML: why" or "source:line: more than
// the 100000 values a YAML data file may have".
YAML::Node ParseYaml(std::string_view text, const std::string& source);

}  // namespace aurivel::nkdata
