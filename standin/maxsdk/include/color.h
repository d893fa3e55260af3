// An RGB colour of three single-precision floats.
#pragma once

class Color {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f;

    Color() = default;
    Color(float R, float G, float B) : r(R), g(G), b(B) {}

    int operator==(const Color& c) const { return r == c.r && g == c.g && b == c.b; }
    int operator!=(const Color& c) const { return !(*this == c); }
};
