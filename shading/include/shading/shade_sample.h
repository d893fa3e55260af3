#pragma once

#include "shading/shading_types.h"

namespace aurivel {

// |N . V| in the evaluation's operation order; a back-facing normal gives
// the same cosine as the front face.
float AbsCosine(const Vec3& normal, const Vec3& view);

// Everything of one sample that needs no host: the reflectance at the view
// angle, adjusted and clamped. Every channel is in [0, 1] and never NaN;
// alpha is 1.
Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior, float hueShift, float satShift,
                 float gamma);

}  // namespace aurivel
