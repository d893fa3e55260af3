#pragma once

// The sample pipeline written the plain way: one step after another in the
// documented order, scalar, with no shortcut and no fast path. The shading
// library is held to these results bit for bit.

#include <cmath>

#include "shading/color_adjust.h"
#include "shading/shading_types.h"

namespace aurivel::plain {

inline float ConductorReflectance(float n, float k, float mu) {
    const float s = (k * k) + (n * n);
    const float t = (n + n) * mu;
    const float mu2 = mu * mu;
    const float numeratorS = (s - t) + mu2;
    const float denominatorS = (t + s) + mu2;
    // The library's answer for 0/0 (n = k = 0 at grazing incidence).
    const float rs = (numeratorS == 0.0f && denominatorS == 0.0f) ? 1.0f : numeratorS / denominatorS;
    const float smu2 = (s * mu) * mu;
    const float rp = ((smu2 - t) + 1.0f) / ((t + smu2) + 1.0f);
    float r = (rs + rp) * 0.5f;
    if (r > 1.0f) {
        r = 1.0f;
    }
    if (r < 0.0f) {
        r = 0.0f;
    }
    return r;
}

inline Rgba ConductorReflectanceRGB(float mu, const OpticalConstants& ior) {
    return Rgba{ConductorReflectance(ior.nr, ior.kr, mu), ConductorReflectance(ior.ng, ior.kg, mu),
                ConductorReflectance(ior.nb, ior.kb, mu), 1.0f};
}

// Literal stepping in double precision. Only for a range that starts at +0,
// which is all the pipeline wraps into: there fmod is exact, so jumping
// close first changes nothing but the time a huge value takes. Adding the
// remainder to +0 lands on +0 for an exact multiple, as the last step would.
inline float WrapFromZero(float v, float hi) {
    if (std::isnan(v)) {
        return v;
    }
    if (std::isinf(v)) {
        return 0.0f;
    }
    const double width = hi;
    double x = v;
    if (std::fabs(x) > 1024.0 * width) {
        x = 0.0 + std::fmod(x, width);
    }
    while (x < 0.0) {
        x += width;
    }
    while (x >= width) {
        x -= width;
    }
    return static_cast<float>(x);
}

inline float HueToChannel(float p, float q, float t) {
    t = WrapFromZero(t, 1.0f);
    if (t < 0.16666667f) {
        return (((q - p) * 6.0f) * t) + p;
    }
    if (t < 0.5f) {
        return q;
    }
    if (t < 0.66666669f) {
        const double qp = static_cast<double>(q - p);
        return static_cast<float>(static_cast<double>(p) + (qp * (0.6666666666666666 - static_cast<double>(t))) * 6.0);
    }
    return p;
}

inline Hsl RgbToHsl(float r, float g, float b) {
    float max = r;
    if (max < g) {
        max = g;
    }
    if (max < b) {
        max = b;
    }
    float min = r;
    if (g < min) {
        min = g;
    }
    if (b < min) {
        min = b;
    }
    Hsl hsl{};
    hsl.l = (min + max) * 0.5f;
    if (hsl.l < 0.0f) {
        hsl.l = 0.0f;
    }
    if (max == min || hsl.l == 0.0f) {
        hsl.s = 0.0f;
    } else if (hsl.l <= 0.5f) {
        hsl.s = (max - min) / (max + min);
    } else if (hsl.l <= 1.0f) {
        hsl.s = (max - min) / ((2.0f - max) - min);
    } else {
        hsl.s = (min - max) / ((2.0f - max) - min);
    }
    if (hsl.s < 0.0f) {
        hsl.s = 0.0f;
    }
    const float delta = max - min;
    if (delta < 9.99999975e-6f) {
        hsl.h = 0.0f;
        return hsl;
    }
    float h6;
    if (r == max) {
        h6 = (g - b) / delta;
    } else if (g == max) {
        h6 = ((b - r) / delta) + 2.0f;
    } else {
        h6 = ((r - g) / delta) + 4.0f;
    }
    hsl.h = WrapFromZero(h6 * 60.0f, 360.0f);
    return hsl;
}

// The library's final clamp, which also turns NaN into 0.
inline float ClampToUnit(float v) {
    if (!(v >= 0.0f)) {
        return 0.0f;
    }
    return v > 1.0f ? 1.0f : v;
}

inline Rgba AdjustColor(float r, float g, float b, float hueShift, float satShift, float gamma) {
    const Hsl hsl = RgbToHsl(r, g, b);
    const float h = WrapFromZero(hsl.h + hueShift, 360.0f) / 360.0f;
    float s2 = (satShift / 100.0f) + hsl.s;
    if (s2 < 0.0f) {
        s2 = 0.0f;
    }
    const float l = hsl.l;
    float q;
    if (l <= 0.5f) {
        q = (s2 + 1.0f) * l;
    } else if (l <= 1.0f) {
        q = (l + s2) - l * s2;
    } else {
        q = (l - s2) + l * s2;
    }
    const float p = (l + l) - q;
    float red = HueToChannel(p, q, h + 0.33333334f);
    float green = HueToChannel(p, q, h);
    float blue = HueToChannel(p, q, h - 0.33333334f);
    if (red < 0.0f) {
        red = 0.0f;
    }
    if (green < 0.0f) {
        green = 0.0f;
    }
    if (blue < 0.0f) {
        blue = 0.0f;
    }
    return Rgba{ClampToUnit(powf(red, gamma)), ClampToUnit(powf(green, gamma)), ClampToUnit(powf(blue, gamma)), 1.0f};
}

inline Rgba ShadeSample(const Vec3& normal, const Vec3& view, const OpticalConstants& ior, float hueShift,
                        float satShift, float gamma) {
    const float mu = std::fabs(((-view.x) * normal.x - normal.y * view.y) - normal.z * view.z);
    const Rgba reflectance = ConductorReflectanceRGB(mu, ior);
    return AdjustColor(reflectance.r, reflectance.g, reflectance.b, hueShift, satShift, gamma);
}

}  // namespace aurivel::plain
