#pragma once

#include <type_traits>

namespace aurivel {

// Same layout as the host's AColor, so the map can return it unchanged.
struct Rgba {
    float r, g, b, a;
};
static_assert(sizeof(Rgba) == 16, "Rgba must match the host's AColor layout");
static_assert(std::is_standard_layout_v<Rgba>, "Rgba must match the host's AColor layout");

struct Vec3 {
    float x, y, z;
};

// Complex index of refraction n + ik per channel. The member order is the
// order of the parameter IDs and of the preset rows.
struct OpticalConstants {
    float nr, ng, nb;
    float kr, kg, kb;
};
static_assert(sizeof(OpticalConstants) == 6 * sizeof(float), "six packed floats");

}  // namespace aurivel
