#include "shading/conductor_fresnel.h"

#include "shading/conductor_fresnel_inline.h"

namespace aurivel {

float ConductorReflectance(float n, float k, float cosine) { return kernel::ConductorReflectance(n, k, cosine); }

Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return kernel::ConductorReflectanceRGB(cosine, ior);
}

}  // namespace aurivel
