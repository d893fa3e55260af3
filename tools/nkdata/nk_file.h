// n/k data files read by path.
#pragma once

#include <string>

#include "nk_data.h"

namespace aurivel::nkdata {

// The whole file's bytes; DataError when it cannot be read.
std::string ReadFileText(const std::string& path);

// A database data file (YAML); messages name it by its path.
NkData ReadNkYamlFile(const std::string& path);

}  // namespace aurivel::nkdata
