#include "shading/conductor_fresnel.h"

namespace aurivel {
namespace {

// With n = k = 0 at a cosine of 0 (or one whose square underflows) the
// perpendicular term is 0/0. Its limit towards grazing incidence is 1, the
// same as for every other index there. Only the exact 0/0 is replaced, so a
// vanishing denominator over a non-zero numerator still yields infinity.
float PerpendicularTerm(float s, float t, float cosineSquared) {
  const float numerator = (s - t) + cosineSquared;
  const float denominator = (t + s) + cosineSquared;
  if (numerator == 0.0f && denominator == 0.0f) {
    return 1.0f;
  }
  return numerator / denominator;
}

}  // namespace

float ConductorReflectance(float n, float k, float cosine) {
  const float mu = cosine;
  const float s = (k * k) + (n * n);
  const float t = (n + n) * mu;
  const float mu2 = mu * mu;
  const float rs = PerpendicularTerm(s, t, mu2);
  const float smu2 = (s * mu) * mu;
  const float rp = ((smu2 - t) + 1.0f) / ((t + smu2) + 1.0f);
  float r = (rs + rp) * 0.5f;
  // Ordered comparisons: NaN passes both unchanged.
  if (r > 1.0f) {
    r = 1.0f;
  }
  if (r < 0.0f) {
    r = 0.0f;
  }
  return r;
}

Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
  return Rgba{ConductorReflectance(ior.nr, ior.kr, cosine),
              ConductorReflectance(ior.ng, ior.kg, cosine),
              ConductorReflectance(ior.nb, ior.kb, cosine), 1.0f};
}

}  // namespace aurivel
