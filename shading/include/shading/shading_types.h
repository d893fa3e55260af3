#pragma once

#include <array>
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

// The range that the map's parameters give each n and k.
inline constexpr float kOpticalConstantLow = 0.0f;
inline constexpr float kOpticalConstantHigh = 100.0f;

// The wavelengths (µm) that the red, green and blue channels stand for, as
// the rollout's column heads name them.
inline constexpr std::array<double, 3> kChannelWavelengths{0.650, 0.510, 0.475};

}  // namespace aurivel
