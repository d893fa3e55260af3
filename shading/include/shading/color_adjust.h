#pragma once

// The colour adjustment of a sample: hue, saturation, gamma and the clamp.
// Inline, so that the map's sample compiles into one function; the steps in
// aurivel::kernel are checked one by one by the tests.

#include <algorithm>

#include "shading/kernel_support.h"
#include "shading/power.h"
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
// (lo == hi) gives lo. Out of line (color_adjust.cpp): the sample reaches
// it only for hues far outside their range.
float WrapToRange(float v, float lo, float hi);

namespace kernel {

// The single-precision roundings of 1/3, 1/6 and 2/3 and the achromatic
// threshold, written as the stored values so the results stay reproducible.
constexpr float kOneThird = 0.33333334f;
constexpr float kOneSixth = 0.16666667f;
constexpr float kTwoThirds = 0.66666669f;
constexpr double kTwoThirdsDouble = 0.6666666666666666;
constexpr float kAchromaticDelta = 9.99999975e-6f;

// WrapToRange(v, 0, hi) for a positive finite hi, with the cases the
// pipeline meets answered inline in single precision: v already inside, or
// one step of hi away, where the float step gives the double stepping's
// bits. For v in [hi, 2hi), v - hi is exact in both (Sterbenz's lemma), and
// lies in [0, hi). For v in [-hi, -hi * 2^-29] the double sum v + hi is
// exact (the two exponents lie at most 29 apart) and in [0, hi), so its
// rounding to float is the correctly rounded float sum. Everything else
// (NaN, infinities, values further out, tiny negatives whose double sum
// may round onto hi) takes the general path.
AURIVEL_FORCE_INLINE float WrapFromZero(float v, float hi) {
    if (AURIVEL_LIKELY(v >= 0.0f && v < hi)) {
        return v;
    }
    if (v >= hi && v < hi + hi) {
        return v - hi;
    }
    if (AURIVEL_LIKELY(v >= -hi && v <= -hi * 0x1p-29f)) {
        return v + hi;
    }
    return WrapToRange(v, 0.0f, hi);
}

AURIVEL_FORCE_INLINE float SaturationOf(float maxChannel, float minChannel, float lightness) {
    if (maxChannel == minChannel || lightness == 0.0f) {
        return 0.0f;
    }
    float s;
    if (lightness <= 0.5f) {
        s = (maxChannel - minChannel) / (maxChannel + minChannel);
    } else if (lightness <= 1.0f) {
        s = (maxChannel - minChannel) / ((2.0f - maxChannel) - minChannel);
    } else {
        // Above 1 the denominator is negative; the swapped numerator keeps S positive.
        s = (minChannel - maxChannel) / ((2.0f - maxChannel) - minChannel);
    }
    return s < 0.0f ? 0.0f : s;
}

AURIVEL_FORCE_INLINE float HueDegreesOf(float r, float g, float b, float maxChannel, float minChannel) {
    const float delta = maxChannel - minChannel;
    if (delta < kAchromaticDelta) {
        return 0.0f;
    }
    float sextant;
    if (r == maxChannel) {
        sextant = (g - b) / delta;
    } else if (g == maxChannel) {
        sextant = ((b - r) / delta) + 2.0f;
    } else {
        sextant = ((r - g) / delta) + 4.0f;
    }
    return WrapFromZero(sextant * 60.0f, 360.0f);
}

AURIVEL_FORCE_INLINE float ShiftedSaturation(float saturation, float satShiftPercent) {
    const float shifted = (satShiftPercent / 100.0f) + saturation;
    return shifted < 0.0f ? 0.0f : shifted;
}

// The largest channel of the colour with this lightness and saturation.
// Saturation may exceed 1 here, so the result may leave [0, 1].
AURIVEL_FORCE_INLINE float LargestChannel(float lightness, float saturation) {
    if (lightness <= 0.5f) {
        return (saturation + 1.0f) * lightness;
    }
    if (lightness <= 1.0f) {
        return (lightness + saturation) - lightness * saturation;
    }
    return (lightness - saturation) + lightness * saturation;
}

AURIVEL_FORCE_INLINE float ZeroIfNegative(float v) { return v < 0.0f ? 0.0f : v; }

// The host's AColor::ClampMinMax uses ordered comparisons and lets NaN
// through; a sample must never be NaN, so NaN becomes 0 here as well.
AURIVEL_FORCE_INLINE float ClampToUnit(float v) {
    if (AURIVEL_UNLIKELY(!(v >= 0.0f))) {
        return 0.0f;
    }
    return v > 1.0f ? 1.0f : v;
}

// Every channel raised to gamma. The power is correctly rounded, so x^1 is
// x for every x the pipeline passes (zeros, positive values, infinity and
// NaN, whose payload the clamp discards), and the default gamma skips it.
AURIVEL_FORCE_INLINE void RaiseToGamma(float& red, float& green, float& blue, float gamma) {
    if (gamma == 1.0f) {
        return;
    }
    const PowerTriple raised = RaiseEachToPower(red, green, blue, gamma);
    red = raised.a;
    green = raised.b;
    blue = raised.c;
}

}  // namespace kernel

// One channel of the HSL to RGB conversion: p and q are the smallest and
// largest channel, t the hue in turns shifted for the channel.
AURIVEL_FORCE_INLINE float HueToChannel(float p, float q, float t) {
    t = kernel::WrapFromZero(t, 1.0f);
    if (t < kernel::kOneSixth) {
        return (((q - p) * 6.0f) * t) + p;
    }
    if (t < 0.5f) {
        return q;
    }
    if (t < kernel::kTwoThirds) {
        const double rise = static_cast<double>(q - p);
        const double fall = (rise * (kernel::kTwoThirdsDouble - static_cast<double>(t))) * 6.0;
        return static_cast<float>(static_cast<double>(p) + fall);
    }
    return p;
}

AURIVEL_FORCE_INLINE Hsl RgbToHsl(float r, float g, float b) {
    // Parenthesised, as <windows.h> may define min and max as macros.
    const float maxChannel = (std::max)((std::max)(r, g), b);
    const float minChannel = (std::min)((std::min)(r, g), b);
    const float lightness = kernel::ZeroIfNegative((minChannel + maxChannel) * 0.5f);
    return Hsl{kernel::HueDegreesOf(r, g, b, maxChannel, minChannel),
               kernel::SaturationOf(maxChannel, minChannel, lightness), lightness};
}

// Shifts the hue by hueShift degrees, adds satShift percent to the
// saturation, raises each channel to gamma and limits r, g, b to [0, 1]
// (NaN becomes 0). Alpha is 1.
AURIVEL_FORCE_INLINE Rgba AdjustColor(float r, float g, float b, float hueShift, float satShift, float gamma) {
    const Hsl hsl = RgbToHsl(r, g, b);
    const float hueTurns = kernel::WrapFromZero(hsl.h + hueShift, 360.0f) / 360.0f;
    const float saturation = kernel::ShiftedSaturation(hsl.s, satShift);
    const float q = kernel::LargestChannel(hsl.l, saturation);
    const float p = (hsl.l + hsl.l) - q;
    float red = kernel::ZeroIfNegative(HueToChannel(p, q, hueTurns + kernel::kOneThird));
    float green = kernel::ZeroIfNegative(HueToChannel(p, q, hueTurns));
    float blue = kernel::ZeroIfNegative(HueToChannel(p, q, hueTurns - kernel::kOneThird));
    kernel::RaiseToGamma(red, green, blue, gamma);
    return Rgba{kernel::ClampToUnit(red), kernel::ClampToUnit(green), kernel::ClampToUnit(blue), 1.0f};
}

}  // namespace aurivel
