#include "metal_colour/material_models.h"

#include <algorithm>
#include <cmath>

namespace aurivel::metal_colour {

double NormalReflectance(double n, double k) {
    const double k2 = k * k;
    return ((n - 1.0) * (n - 1.0) + k2) / ((n + 1.0) * (n + 1.0) + k2);
}

double EdgeTint(double n, double k) {
    const double r = NormalReflectance(n, k);
    const double root = std::sqrt(r);
    if (root >= 1.0) {
        return 1.0;
    }
    const double nMin = (1.0 - r) / (1.0 + r);
    const double nMax = (1.0 + root) / (1.0 - root);
    return (nMax - n) / (nMax - nMin);
}

double SchlickReflectance(double f0, double cosine) {
    const double m = 1.0 - cosine;
    return f0 + (1.0 - f0) * (m * m * m * m * m);
}

ClampedRgb ClampToUnit(const std::array<double, 3>& values) {
    ClampedRgb result;
    for (std::size_t c = 0; c < 3; ++c) {
        const double clamped = std::clamp(values[c], 0.0, 1.0);
        result.value[c] = static_cast<float>(clamped);
        result.clamped[c] = clamped != values[c];
    }
    return result;
}

ClampedRgb EdgeTints(const OpticalConstants& c) {
    return ClampToUnit({EdgeTint(c.nr, c.kr), EdgeTint(c.ng, c.kg), EdgeTint(c.nb, c.kb)});
}

ClampedRgb F82Tints(const std::array<float, 3>& baseColour, const LinearRgb& atF82Cosine) {
    return ClampToUnit({atF82Cosine.r / SchlickReflectance(baseColour[0], kF82Cosine),
                        atF82Cosine.g / SchlickReflectance(baseColour[1], kF82Cosine),
                        atF82Cosine.b / SchlickReflectance(baseColour[2], kF82Cosine)});
}

MaterialModelValues ValuesForMaterialModels(const SpectralColour& metal, const OpticalConstants& fitted) {
    const LinearRgb atNormal = metal.At(1.0);
    const ClampedRgb base = ClampToUnit({atNormal.r, atNormal.g, atNormal.b});
    return {base, EdgeTints(fitted), F82Tints(base.value, metal.At(kF82Cosine))};
}

}  // namespace aurivel::metal_colour
