// The observer's tables as Debian's colord-data ships them: CGATS/IT8 files
// read through Little CMS's IT8 reader. make_cie_tables builds them into
// cie_tables.h, so that the colour tool reads no file of the system.
#pragma once

#include <string>

#include "observer.h"

namespace aurivel::metal_colour {

inline constexpr const char* kColordObserverFile = "/usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf";
inline constexpr const char* kColordIlluminantFile = "/usr/share/colord/illuminant/CIE-D65.sp";

// The colour-matching functions (three sets x, y, z) and the illuminant (one
// set) from 380 to 780 nm. Throws SpectralError naming the file when it
// cannot be read, lacks a band or a set, or the illuminant gives no light.
CieTable ReadCieFiles(const std::string& matchingFunctionsFile = kColordObserverFile,
                      const std::string& illuminantFile = kColordIlluminantFile);

}  // namespace aurivel::metal_colour
