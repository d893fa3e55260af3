// What the readers accept of the n/k data files they read (CSV exports, the
// optical-constants database's YAML files and catalog, plain tables). The
// database's largest file, its catalog, is under 0.5 MB with about 30,000
// values, and its longest line a few hundred bytes, so real files stay far
// within all three.
#pragma once

#include <cstddef>

#include "files/input_file.h"

namespace aurivel::nkdata {

inline constexpr files::SizeLimit kDataFileLimit{16u << 20, "a data file"};
inline constexpr std::size_t kLongestDataLine = 64u << 10;
// yaml-cpp builds a node of about half a kilobyte for every value, so they
// are counted before it builds any.
inline constexpr std::size_t kMostYamlValues = 100000;

}  // namespace aurivel::nkdata
