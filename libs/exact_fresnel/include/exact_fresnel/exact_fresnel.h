#pragma once

// The exact Fresnel reflectance of a conductor for unpolarised light, from
// its complex index n + ik, computed the way physically based renderers do
// (Snell's law in complex numbers, then the s and p amplitude ratios). It is
// the yardstick for the map's closed form (in float, as the map computes)
// and the reflectance of measured spectra (in double), not part of the map.

#include <cmath>

#include "shading/shading_types.h"

namespace aurivel::reference {

template <class Real>
struct Complex {
    Real re, im;
};

using ComplexF = Complex<float>;

template <class Real>
constexpr Complex<Real> operator+(Complex<Real> a, Complex<Real> b) {
    return {a.re + b.re, a.im + b.im};
}

template <class Real>
constexpr Complex<Real> operator-(Complex<Real> a, Complex<Real> b) {
    return {a.re - b.re, a.im - b.im};
}

template <class Real>
constexpr Complex<Real> operator*(Complex<Real> a, Complex<Real> b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// Smith's division: scaling by the larger part of the divisor avoids the
// overflow and underflow of forming |b|^2.
template <class Real>
inline Complex<Real> operator/(Complex<Real> a, Complex<Real> b) {
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const Real ratio = b.im / b.re;
        const Real scale = b.re + b.im * ratio;
        return {(a.re + a.im * ratio) / scale, (a.im - a.re * ratio) / scale};
    }
    const Real ratio = b.re / b.im;
    const Real scale = b.re * ratio + b.im;
    return {(a.re * ratio + a.im) / scale, (a.im * ratio - a.re) / scale};
}

template <class Real>
constexpr Real SquaredMagnitude(Complex<Real> z) {
    return z.re * z.re + z.im * z.im;
}

// Principal square root; each branch takes the root of a sum of two
// non-negative values, so no cancellation occurs.
template <class Real>
inline Complex<Real> Sqrt(Complex<Real> z) {
    const Real magnitude = std::hypot(z.re, z.im);
    if (magnitude == Real(0)) {
        return {Real(0), Real(0)};
    }
    if (z.re >= Real(0)) {
        const Real root = std::sqrt(Real(0.5) * (magnitude + z.re));
        return {root, z.im / (Real(2) * root)};
    }
    const Real root = std::sqrt(Real(0.5) * (magnitude - z.re));
    return {std::fabs(z.im) / (Real(2) * root), std::copysign(root, z.im)};
}

// Light arriving from vacuum at the given cosine of incidence onto a
// conductor of index n + ik (not both zero).
template <class Real>
inline Real ExactConductorReflectance(Real n, Real k, Real cosine) {
    const Complex<Real> eta{n, k};
    const Complex<Real> cosIncident{cosine, Real(0)};
    const Complex<Real> sinSquaredIncident{Real(1) - cosine * cosine, Real(0)};
    const Complex<Real> sinSquaredTransmitted = sinSquaredIncident / (eta * eta);
    const Complex<Real> cosTransmitted = Sqrt(Complex<Real>{Real(1), Real(0)} - sinSquaredTransmitted);
    const Complex<Real> etaCosTransmitted = eta * cosTransmitted;
    const Complex<Real> etaCosIncident = eta * cosIncident;
    const Complex<Real> rs = (cosIncident - etaCosTransmitted) / (cosIncident + etaCosTransmitted);
    const Complex<Real> rp = (etaCosIncident - cosTransmitted) / (etaCosIncident + cosTransmitted);
    return (SquaredMagnitude(rs) + SquaredMagnitude(rp)) * Real(0.5);
}

inline Rgba ExactConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return Rgba{ExactConductorReflectance(ior.nr, ior.kr, cosine), ExactConductorReflectance(ior.ng, ior.kg, cosine),
                ExactConductorReflectance(ior.nb, ior.kb, cosine), 1.0f};
}

}  // namespace aurivel::reference
