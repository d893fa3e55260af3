// Everything a user could tell two maps apart by, as text: what goes into a
// scene file and what comes out of rendering. Two maps are equal when their
// descriptions are, and a failing comparison shows where they differ.
#pragma once

#include <string>
#include <vector>

#include "max.h"

namespace aurivel_test {

// The times at which animated values are compared: before, at, between and
// after the keys that the tests set (0, 80, 160 and 320).
inline constexpr TimeValue kStateTimes[] = {-50, 0, 80, 120, 160, 240, 320, 1000};

// Name, G-buffer id, output level, every parameter at every time of
// kStateTimes, the colours of a few samples at three of them, and the same
// for the sub-map chain. Updates the maps' caches on the way.
std::string DescribeMap(Texmap* map);

// A map with edited and animated values, a name and a G-buffer id, and a
// chain of two sub-maps of which the last shares the top map's output.
Texmap* RichScene();

// The scene file of a map, saved in memory.
std::vector<unsigned char> SaveBytes(Texmap* map);

}  // namespace aurivel_test
