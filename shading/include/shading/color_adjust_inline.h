#pragma once

// The colour adjustment as inline code, so that a caller's sample compiles
// into one function. color_adjust.h declares the same operations out of
// line; both give the same bits.

#include <algorithm>
#include <cmath>

#include "shading/color_adjust.h"
#include "shading/kernel_support.h"
#include "shading/power.h"
#include "shading/shading_types.h"

namespace aurivel::kernel {

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

AURIVEL_FORCE_INLINE float HueToChannel(float p, float q, float t) {
    t = WrapFromZero(t, 1.0f);
    if (t < kOneSixth) {
        return (((q - p) * 6.0f) * t) + p;
    }
    if (t < 0.5f) {
        return q;
    }
    if (t < kTwoThirds) {
        const double rise = static_cast<double>(q - p);
        const double fall = (rise * (kTwoThirdsDouble - static_cast<double>(t))) * 6.0;
        return static_cast<float>(static_cast<double>(p) + fall);
    }
    return p;
}

AURIVEL_FORCE_INLINE Hsl RgbToHsl(float r, float g, float b) {
    // Parenthesised, as <windows.h> may define min and max as macros.
    const float maxChannel = (std::max)((std::max)(r, g), b);
    const float minChannel = (std::min)((std::min)(r, g), b);
    const float lightness = ZeroIfNegative((minChannel + maxChannel) * 0.5f);
    return Hsl{HueDegreesOf(r, g, b, maxChannel, minChannel), SaturationOf(maxChannel, minChannel, lightness),
               lightness};
}

// Every channel raised to gamma. The power is correctly rounded, so x^1 is
// x for every x the pipeline passes (zeros, positive values, infinity and
// NaN, whose payload the clamp discards), and the default gamma skips it.
AURIVEL_FORCE_INLINE void RaiseToGamma(float& red, float& green, float& blue, float gamma) {
    if (gamma == 1.0f) {
        return;
    }
#ifdef AURIVEL_GAMMA_POWER
    // The benchmarks build the module again with another powf here, to
    // measure what the power costs.
    red = AURIVEL_GAMMA_POWER(red, gamma);
    green = AURIVEL_GAMMA_POWER(green, gamma);
    blue = AURIVEL_GAMMA_POWER(blue, gamma);
#else
    const PowerTriple raised = RaiseEachToPower(red, green, blue, gamma);
    red = raised.a;
    green = raised.b;
    blue = raised.c;
#endif
}

AURIVEL_FORCE_INLINE Rgba AdjustColor(float r, float g, float b, float hueShift, float satShift, float gamma) {
    const Hsl hsl = RgbToHsl(r, g, b);
    const float hueTurns = WrapFromZero(hsl.h + hueShift, 360.0f) / 360.0f;
    const float saturation = ShiftedSaturation(hsl.s, satShift);
    const float q = LargestChannel(hsl.l, saturation);
    const float p = (hsl.l + hsl.l) - q;
    float red = ZeroIfNegative(HueToChannel(p, q, hueTurns + kOneThird));
    float green = ZeroIfNegative(HueToChannel(p, q, hueTurns));
    float blue = ZeroIfNegative(HueToChannel(p, q, hueTurns - kOneThird));
    RaiseToGamma(red, green, blue, gamma);
    return Rgba{ClampToUnit(red), ClampToUnit(green), ClampToUnit(blue), 1.0f};
}

}  // namespace aurivel::kernel
