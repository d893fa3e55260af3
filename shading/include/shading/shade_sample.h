#pragma once

// The whole host-free sample: the map's EvalColor compiles it into itself,
// so a sample makes no call but the host's and, at a gamma other than 1,
// the power's.

#include <cmath>

#include "shading/color_adjust.h"
#include "shading/conductor_fresnel.h"
#include "shading/kernel_support.h"
#include "shading/shading_types.h"

namespace aurivel {

// |N . V| in the evaluation's operation order; a back-facing normal gives
// the same cosine as the front face.
AURIVEL_FORCE_INLINE float AbsCosine(const Vec3& normal, const Vec3& view) {
    return std::fabs(((-view.x) * normal.x - normal.y * view.y) - normal.z * view.z);
}

// Everything of one sample that needs no host: the reflectance at the view
// angle, adjusted and clamped. Every channel is in [0, 1] and never NaN;
// alpha is 1.
AURIVEL_FORCE_INLINE Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior, float hueShift,
                                      float satShift, float gamma) {
    const Rgba reflectance = ConductorReflectanceRGB(AbsCosine(normal, view), ior);
    return AdjustColor(reflectance.r, reflectance.g, reflectance.b, hueShift, satShift, gamma);
}

}  // namespace aurivel
