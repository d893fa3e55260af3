#pragma once

#include "shading/shading_types.h"

namespace aurivel {

// The Fresnel reflectance of a metal for unpolarised light, in the closed-form
// approximation of conductor Fresnel reflectance: the mean of an s-polarised
// (perpendicular) and a p-polarised (parallel) term, with a = n^2 + k^2,
//   Rs = (a - 2n cos + cos^2) / (a + 2n cos + cos^2)
//   Rp = (a cos^2 - 2n cos + 1) / (a cos^2 + 2n cos + 1),
// so the complex index n + ik enters only through n^2 + k^2 and 2n, and no
// complex number or square root is formed. It is exact at normal incidence
// (both terms ((n - 1)^2 + k^2) / ((n + 1)^2 + k^2)) and at grazing incidence
// (both 1). In between it departs from the exact complex Fresnel equations by
// at most 0.007 in reflectance for the ten preset metals, most between cosines
// 0.1 and 0.35 (tests/shading/exact_fresnel_test.cpp holds it to that);
// `aurivel_bench --benchmark_filter=FresnelDeviation` prints the largest
// difference per metal and channel.
//
// Single precision in a fixed operation order, so results are reproducible
// bit for bit. Finite n >= 0, k and a cosine in [0, 1] give a value in
// [0, 1]; other inputs may give NaN, which the colour pipeline's final clamp
// removes.

// The reflectance at the cosine of the view angle, for one channel of index n + ik.
float ConductorReflectance(float n, float k, float cosine);

// The reflectance at the cosine of the view angle, for each channel of ior
// (one ConductorReflectance per channel); alpha is 1.
Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior);

}  // namespace aurivel
