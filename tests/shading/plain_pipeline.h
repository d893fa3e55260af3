#pragma once

// What each shortcut of the sample stands in for. The sample computes
// everything else one way only, held to reference values; where it takes a
// shortcut, it must give the bits of the general operation here.

#include "shading/color_adjust.h"
#include "shading/conductor_fresnel.h"
#include "shading/power.h"
#include "shading/shading_types.h"

namespace aurivel::plain {

// The one-step wraps of hues and hue turns stand in for the general wrap.
inline float WrapFromZero(float v, float hi) { return WrapToRange(v, 0.0f, hi); }

// The SSE lanes stand in for one scalar reflectance per channel.
inline Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return kernel::ConductorReflectanceRGBScalar(cosine, ior);
}

// Gamma 1 skips the gamma step's power function.
inline float GammaPower(float channel, float gamma) { return Power(channel, gamma); }

}  // namespace aurivel::plain
