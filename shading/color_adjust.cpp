#include "shading/color_adjust.h"

#include <algorithm>
#include <cmath>

namespace aurivel {
namespace {

// The single-precision roundings of 1/3, 1/6 and 2/3 and the achromatic
// threshold, written as the stored values so the results stay reproducible.
constexpr float kOneThird = 0.33333334f;
constexpr float kOneSixth = 0.16666667f;
constexpr float kTwoThirds = 0.66666669f;
constexpr double kTwoThirdsDouble = 0.6666666666666666;
constexpr float kAchromaticDelta = 9.99999975e-6f;

float SaturationOf(float maxChannel, float minChannel, float lightness) {
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

float HueDegreesOf(float r, float g, float b, float maxChannel, float minChannel) {
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
  return WrapToRange(sextant * 60.0f, 0.0f, 360.0f);
}

float ShiftedSaturation(float saturation, float satShiftPercent) {
  const float shifted = (satShiftPercent / 100.0f) + saturation;
  return shifted < 0.0f ? 0.0f : shifted;
}

// The largest channel of the colour with this lightness and saturation.
// Saturation may exceed 1 here, so the result may leave [0, 1].
float LargestChannel(float lightness, float saturation) {
  if (lightness <= 0.5f) {
    return (saturation + 1.0f) * lightness;
  }
  if (lightness <= 1.0f) {
    return (lightness + saturation) - lightness * saturation;
  }
  return (lightness - saturation) + lightness * saturation;
}

float ZeroIfNegative(float v) { return v < 0.0f ? 0.0f : v; }

// The host's AColor::ClampMinMax uses ordered comparisons and lets NaN
// through; a sample must never be NaN, so NaN becomes 0 here as well.
float ClampToUnit(float v) {
  if (!(v >= 0.0f)) {
    return 0.0f;
  }
  return v > 1.0f ? 1.0f : v;
}

}  // namespace

float WrapToRange(float v, float lo, float hi) {
  if (lo > hi || std::isnan(v)) {
    return v;
  }
  if (std::isinf(v)) {
    return lo;
  }
  const double low = lo;
  const double high = hi;
  double x = v;
  if (x >= low && x < high) {
    return v;
  }
  const double width = high - low;
  if (width == 0.0) {
    return lo;
  }
  // fmod is exact: the jump lands where the stepping takes its last step
  // (from below) or on its exact result (from above), and the loops finish
  // with the stepping's own rounding. With lo = 0 the jump is exact for every
  // finite v. Infinite bounds need no jump: one infinite step ends a loop.
  if (std::isfinite(width)) {
    x = low + std::fmod(x - low, width);
  }
  while (x < low) {
    x += width;
  }
  while (x >= high) {
    x -= width;
  }
  // A width rounded in double can step right over a range that is narrow
  // next to its bounds (such as [1e-37, 1e38)); lo is then the nearest answer.
  return x < low ? lo : static_cast<float>(x);
}

float HueToChannel(float p, float q, float t) {
  t = WrapToRange(t, 0.0f, 1.0f);
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

Hsl RgbToHsl(float r, float g, float b) {
  const float maxChannel = std::max(std::max(r, g), b);
  const float minChannel = std::min(std::min(r, g), b);
  const float lightness = ZeroIfNegative((minChannel + maxChannel) * 0.5f);
  return Hsl{HueDegreesOf(r, g, b, maxChannel, minChannel),
             SaturationOf(maxChannel, minChannel, lightness), lightness};
}

Rgba AdjustColor(float r, float g, float b, float hueShift, float satShift, float gamma) {
  const Hsl hsl = RgbToHsl(r, g, b);
  const float hueTurns = WrapToRange(hsl.h + hueShift, 0.0f, 360.0f) / 360.0f;
  const float saturation = ShiftedSaturation(hsl.s, satShift);
  const float q = LargestChannel(hsl.l, saturation);
  const float p = (hsl.l + hsl.l) - q;
  const float red = ZeroIfNegative(HueToChannel(p, q, hueTurns + kOneThird));
  const float green = ZeroIfNegative(HueToChannel(p, q, hueTurns));
  const float blue = ZeroIfNegative(HueToChannel(p, q, hueTurns - kOneThird));
  return Rgba{ClampToUnit(std::pow(red, gamma)), ClampToUnit(std::pow(green, gamma)),
              ClampToUnit(std::pow(blue, gamma)), 1.0f};
}

}  // namespace aurivel
