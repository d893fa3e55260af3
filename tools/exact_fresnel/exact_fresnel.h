#pragma once

// The exact Fresnel reflectance of a conductor for unpolarised light, from
// its complex index n + ik, computed the way physically based renderers do
// (Snell's law in complex numbers, then the s and p amplitude ratios). It is
// the yardstick for the map's closed form, not part of the map.

#include <cmath>

#include "shading/shading_types.h"

namespace aurivel::reference {

struct ComplexF {
    float re, im;
};

constexpr ComplexF operator+(ComplexF a, ComplexF b) { return {a.re + b.re, a.im + b.im}; }
constexpr ComplexF operator-(ComplexF a, ComplexF b) { return {a.re - b.re, a.im - b.im}; }
constexpr ComplexF operator*(ComplexF a, ComplexF b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }

// Smith's division: scaling by the larger part of the divisor avoids the
// overflow and underflow of forming |b|^2.
inline ComplexF operator/(ComplexF a, ComplexF b) {
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const float ratio = b.im / b.re;
        const float scale = b.re + b.im * ratio;
        return {(a.re + a.im * ratio) / scale, (a.im - a.re * ratio) / scale};
    }
    const float ratio = b.re / b.im;
    const float scale = b.re * ratio + b.im;
    return {(a.re * ratio + a.im) / scale, (a.im * ratio - a.re) / scale};
}

constexpr float SquaredMagnitude(ComplexF z) { return z.re * z.re + z.im * z.im; }

// Principal square root; each branch takes the root of a sum of two
// non-negative values, so no cancellation occurs.
inline ComplexF Sqrt(ComplexF z) {
    const float magnitude = std::hypot(z.re, z.im);
    if (magnitude == 0.0f) {
        return {0.0f, 0.0f};
    }
    if (z.re >= 0.0f) {
        const float root = std::sqrt(0.5f * (magnitude + z.re));
        return {root, z.im / (2.0f * root)};
    }
    const float root = std::sqrt(0.5f * (magnitude - z.re));
    return {std::fabs(z.im) / (2.0f * root), std::copysign(root, z.im)};
}

// Light arriving from vacuum at the given cosine of incidence onto a
// conductor of index n + ik (not both zero).
inline float ExactConductorReflectance(float n, float k, float cosine) {
    const ComplexF eta{n, k};
    const ComplexF cosIncident{cosine, 0.0f};
    const ComplexF sinSquaredIncident{1.0f - cosine * cosine, 0.0f};
    const ComplexF sinSquaredTransmitted = sinSquaredIncident / (eta * eta);
    const ComplexF cosTransmitted = Sqrt(ComplexF{1.0f, 0.0f} - sinSquaredTransmitted);
    const ComplexF etaCosTransmitted = eta * cosTransmitted;
    const ComplexF etaCosIncident = eta * cosIncident;
    const ComplexF rs = (cosIncident - etaCosTransmitted) / (cosIncident + etaCosTransmitted);
    const ComplexF rp = (etaCosIncident - cosTransmitted) / (etaCosIncident + cosTransmitted);
    return (SquaredMagnitude(rs) + SquaredMagnitude(rp)) * 0.5f;
}

inline Rgba ExactConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return Rgba{ExactConductorReflectance(ior.nr, ior.kr, cosine), ExactConductorReflectance(ior.ng, ior.kg, cosine),
                ExactConductorReflectance(ior.nb, ior.kb, cosine), 1.0f};
}

}  // namespace aurivel::reference
