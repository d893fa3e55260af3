#pragma once

#include "shading/shading_types.h"

namespace aurivel {

// Closed-form conductor reflectance for unpolarised light: the mean of the
// s and p terms written with n^2 + k^2 and 2n only, in single precision and
// in a fixed operation order so that results are reproducible bit for bit.
// Finite n >= 0, k and a cosine in [0, 1] give a value in [0, 1]; other
// inputs may give NaN, which the colour pipeline's final clamp removes.
float ConductorReflectance(float n, float k, float cosine);

// One ConductorReflectance per channel; alpha is 1.
Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior);

}  // namespace aurivel
