#include "shading/shade_sample.h"

#include "shading/shade_sample_inline.h"

namespace aurivel {

float AbsCosine(const Vec3& normal, const Vec3& view) { return kernel::AbsCosine(normal, view); }

Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior, float hueShift, float satShift,
                 float gamma) {
    return kernel::ShadeSample(normal, view, ior, hueShift, satShift, gamma);
}

}  // namespace aurivel
