// What other material models take for a measured metal: the base colour of a
// metalness material (F0), the edge tint of the artist-friendly metal
// parameterisation (Gulbrandsen 2014, as Autodesk Standard Surface and Arnold
// use it) and the F82 specular colour of OpenPBR's metal model.
#pragma once

#include <array>

#include "metal_spectrum.h"
#include "rendering_space.h"
#include "shading/shading_types.h"

namespace aurivel::metal_colour {

// The cosine at which OpenPBR's F82 model pins the reflectance, 1/7 (about
// 81.8°), where the dip of a metal's reflectance lies.
inline constexpr double kF82Cosine = 1.0 / 7.0;

// The Fresnel reflectance of n + ik at normal incidence,
// ((n - 1)² + k²) / ((n + 1)² + k²).
double NormalReflectance(double n, double k);

// Gulbrandsen's edge tint g of n + ik: with r the normal reflectance,
// n_min = (1 - r) / (1 + r) and n_max = (1 + √r) / (1 - √r),
// g = (n_max - n) / (n_max - n_min), unclamped. A perfect reflector (r = 1)
// has g = 1, the limit as n_max grows without bound.
double EdgeTint(double n, double k);

// Schlick's reflectance F0 + (1 - F0)(1 - cosine)⁵.
double SchlickReflectance(double f0, double cosine);

// Per channel values limited to [0, 1], and which of them had to be.
struct ClampedRgb {
    std::array<float, 3> value{};
    std::array<bool, 3> clamped{};
};

ClampedRgb ClampToUnit(const std::array<double, 3>& values);

ClampedRgb EdgeTints(const OpticalConstants& constants);

// The reflectance at kF82Cosine divided by Schlick's reflectance from the base
// colour there, per channel.
ClampedRgb F82Tints(const std::array<float, 3>& baseColour, const LinearRgb& atF82Cosine);

struct MaterialModelValues {
    ClampedRgb baseColour;  // F0
    ClampedRgb edgeTint;
    ClampedRgb f82Tint;
};

// F0 and the F82 tint come from the metal's integrated colour, so that the
// fit's compromises stay out of the colour an artist copies; the edge tint,
// which is defined by n and k, from the map's fitted constants.
MaterialModelValues ValuesForMaterialModels(const SpectralColour& metal, const OpticalConstants& fitted);

}  // namespace aurivel::metal_colour
