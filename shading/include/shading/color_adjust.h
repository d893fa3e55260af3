#pragma once

#include "shading/shading_types.h"

namespace aurivel {

// Hue in degrees, saturation and lightness.
struct Hsl {
    float h, s, l;
};

// Wraps v into [lo, hi) as repeated steps of (hi - lo) in double precision
// would, in bounded time for every finite v; the result lies in [lo, hi]
// (the final rounding to float can give exactly hi). An infinity gives lo;
// NaN, and any v when lo > hi, come back unchanged; an empty range
// (lo == hi) gives lo.
float WrapToRange(float v, float lo, float hi);

// One channel of the HSL to RGB conversion: p and q are the smallest and
// largest channel, t the hue in turns shifted for the channel.
float HueToChannel(float p, float q, float t);

Hsl RgbToHsl(float r, float g, float b);

// Shifts the hue by hueShift degrees, adds satShift percent to the
// saturation, raises each channel to gamma and limits r, g, b to [0, 1]
// (NaN becomes 0). Alpha is 1.
Rgba AdjustColor(float r, float g, float b, float hueShift, float satShift, float gamma);

}  // namespace aurivel
