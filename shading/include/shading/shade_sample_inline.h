#pragma once

// The whole host-free sample as inline code: the map's EvalColor compiles
// it into itself, so a sample makes no call but the host's and, at a gamma
// other than 1, the power's.
// shade_sample.h declares the same operations out of line; both give the
// same bits.

#include <cmath>

#include "shading/color_adjust_inline.h"
#include "shading/conductor_fresnel_inline.h"
#include "shading/kernel_support.h"
#include "shading/shading_types.h"

namespace aurivel::kernel {

AURIVEL_FORCE_INLINE float AbsCosine(const Vec3& normal, const Vec3& view) {
    return std::fabs(((-view.x) * normal.x - normal.y * view.y) - normal.z * view.z);
}

AURIVEL_FORCE_INLINE Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior, float hueShift,
                                      float satShift, float gamma) {
    const Rgba reflectance = kernel::ConductorReflectanceRGB(kernel::AbsCosine(normal, view), ior);
    return AdjustColor(reflectance.r, reflectance.g, reflectance.b, hueShift, satShift, gamma);
}

}  // namespace aurivel::kernel
