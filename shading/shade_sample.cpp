#include "shading/shade_sample.h"

#include <cmath>

#include "shading/color_adjust.h"
#include "shading/conductor_fresnel.h"

namespace aurivel {

float AbsCosine(const Vec3& normal, const Vec3& view) {
  return std::fabs(((-view.x) * normal.x - normal.y * view.y) - normal.z * view.z);
}

Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior,
                 float hueShift, float satShift, float gamma) {
  const Rgba reflectance = ConductorReflectanceRGB(AbsCosine(normal, view), ior);
  return AdjustColor(reflectance.r, reflectance.g, reflectance.b, hueShift, satShift, gamma);
}

}  // namespace aurivel
