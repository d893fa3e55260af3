// An RGBA colour of four single-precision floats.
#pragma once

#include "color.h"
#include "geomexp.h"

class AColor {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

    AColor() = default;
    AColor(float R, float G, float B, float A = 1.0f) : r(R), g(G), b(B), a(A) {}
    AColor(const Color& c, float alpha = 1.0f) : r(c.r), g(c.g), b(c.b), a(alpha) {}

    // Ordered comparisons only, so a NaN component passes through unchanged.
    GEOM_EXPORT void ClampMinMax();

    int operator==(const AColor& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
    int operator!=(const AColor& c) const { return !(*this == c); }

};

// Mean of the three colour channels; alpha does not count.
inline float Intens(const AColor& c) { return (c.r + c.g + c.b) / 3.0f; }
