// What the tools accept of the n/k data files they read (CSV exports, the
// optical-constants database's YAML files and catalog, plain tables). The
// database's largest file, its catalog, is under 0.5 MB and its longest line
// a few hundred bytes, so real files stay far within both.
#pragma once

#include <cstddef>

#include "hostfiles/input_file.h"

namespace hostfiles {

inline constexpr SizeLimit kDataFileLimit{16u << 20, "a data file"};
inline constexpr size_t kLongestDataLine = 64u << 10;

}  // namespace hostfiles
