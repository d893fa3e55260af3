#pragma once

// The Fresnel reflectance of a metal for unpolarised light, in the closed-form
// approximation of conductor Fresnel reflectance: the mean of an s-polarised
// (perpendicular) and a p-polarised (parallel) term, with the complex index
// eta = n + ik, a = n^2 + k^2 and theta the angle of incidence,
//   Rs = (a - 2n cos(theta) + cos^2(theta)) / (a + 2n cos(theta) + cos^2(theta))
//   Rp = (a cos^2(theta) - 2n cos(theta) + 1) / (a cos^2(theta) + 2n cos(theta) + 1),
// so the complex index n + ik enters only through n^2 + k^2 and 2n, and no
// complex number or square root is formed. It is exact at normal incidence
// (both terms ((n - 1)^2 + k^2) / ((n + 1)^2 + k^2)) and at grazing incidence
// (both 1). In between it departs from the exact complex Fresnel equations by
// at most 0.007 in reflectance for the ten preset metals, most between cosines
// 0.1 and 0.35 (tests/shading/exact_fresnel_test.cpp holds it to that);
// `aurivel_bench --benchmark_filter=FresnelDeviation` prints the largest
// difference per metal and channel.
//
// Single precision in a fixed operation order, so results are reproducible
// bit for bit. Finite n >= 0, k and a cosine in [0, 1] give a value in
// [0, 1]; other inputs may give NaN, which the colour pipeline's final clamp
// removes.
//
// Inline, so that the map's sample compiles into one function; the steps in
// aurivel::kernel are checked one by one by the tests.

#include <cstddef>

#include "shading/kernel_support.h"
#include "shading/shading_types.h"

namespace aurivel {
namespace kernel {

// The s-polarised term's ratio. With n = k = 0 at a cosine of 0 (or one
// whose square underflows) it is 0/0. Its limit towards grazing incidence is
// 1, the same as for every other index there. Only the exact 0/0 is
// replaced, so a vanishing denominator over a non-zero numerator still
// yields infinity.
AURIVEL_FORCE_INLINE float PerpendicularRatio(float numerator, float denominator) {
    if (numerator == 0.0f && denominator == 0.0f) {
        return 1.0f;
    }
    return numerator / denominator;
}

// (Rs + Rp) / 2 before the limits: for one channel in float, or for three in
// FloatLanes, with the same operations in the same order.
template <class Real>
AURIVEL_FORCE_INLINE Real MeanOfPolarisedTerms(Real n, Real k, Real cosTheta) {
    const Real squaredMagnitude = (k * k) + (n * n);  // a = |n + ik|^2
    const Real twoNCosTheta = (n + n) * cosTheta;
    const Real cosThetaSquared = cosTheta * cosTheta;
    const Real rs = PerpendicularRatio((squaredMagnitude - twoNCosTheta) + cosThetaSquared,
                                       (twoNCosTheta + squaredMagnitude) + cosThetaSquared);
    // (a cos(theta)) cos(theta) rather than a cos^2(theta): the two can differ in the last bit.
    const Real squaredMagnitudeCosThetaSquared = (squaredMagnitude * cosTheta) * cosTheta;
    const Real one(1.0f);
    const Real rp = ((squaredMagnitudeCosThetaSquared - twoNCosTheta) + one) /
                    ((twoNCosTheta + squaredMagnitudeCosThetaSquared) + one);
    return (rs + rp) * Real(0.5f);
}

}  // namespace kernel

// The reflectance at cos(theta), for one channel of index n + ik.
AURIVEL_FORCE_INLINE float ConductorReflectance(float n, float k, float cosTheta) {
    float reflectance = kernel::MeanOfPolarisedTerms(n, k, cosTheta);
    // Ordered comparisons: NaN passes both unchanged.
    if (reflectance > 1.0f) {
        reflectance = 1.0f;
    }
    if (reflectance < 0.0f) {
        reflectance = 0.0f;
    }
    return reflectance;
}

namespace kernel {

// One ConductorReflectance per channel: what the SSE2 lanes stand in for.
AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGBScalar(float cosTheta, const OpticalConstants& ior) {
    return Rgba{ConductorReflectance(ior.nr, ior.kr, cosTheta), ConductorReflectance(ior.ng, ior.kg, cosTheta),
                ConductorReflectance(ior.nb, ior.kb, cosTheta), 1.0f};
}

#ifdef AURIVEL_KERNEL_SSE2

// Four floats in one SSE2 register; each lane does what a float would.
struct FloatLanes {
    __m128 v;
    AURIVEL_FORCE_INLINE FloatLanes(__m128 lanes) : v(lanes) {}
    AURIVEL_FORCE_INLINE explicit FloatLanes(float each) : v(_mm_set1_ps(each)) {}
};

AURIVEL_FORCE_INLINE FloatLanes operator+(FloatLanes a, FloatLanes b) { return _mm_add_ps(a.v, b.v); }
AURIVEL_FORCE_INLINE FloatLanes operator-(FloatLanes a, FloatLanes b) { return _mm_sub_ps(a.v, b.v); }
AURIVEL_FORCE_INLINE FloatLanes operator*(FloatLanes a, FloatLanes b) { return _mm_mul_ps(a.v, b.v); }
AURIVEL_FORCE_INLINE FloatLanes operator/(FloatLanes a, FloatLanes b) { return _mm_div_ps(a.v, b.v); }

// In lanes the 0/0 of the s-polarised term is left to the scalar code
// (ConductorReflectanceRGB below).
AURIVEL_FORCE_INLINE FloatLanes PerpendicularRatio(FloatLanes numerator, FloatLanes denominator) {
    return numerator / denominator;
}

#endif

}  // namespace kernel

#ifdef AURIVEL_KERNEL_SSE2

// The reflectance at cos(theta), for each channel of ior;
// alpha is 1.
//
// The three channels in three lanes of one register. MeanOfPolarisedTerms
// gives each lane one channel's operations in the same order, every one an
// IEEE single operation with its own rounding, so each lane's bits are the
// scalar result's; the fourth lane's result is dropped. The 0/0 case and the limits
// are left to the scalar code: either one makes a lane's mean fall outside
// [0, 1] (0/0 makes it NaN), and a mean inside [0, 1] passes both limits
// unchanged. So the common case keeps them off its chain of dependent
// operations, behind a branch that is almost never taken.
AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGB(float cosTheta, const OpticalConstants& ior) {
    using kernel::FloatLanes;
    // Two unaligned loads inside the record: (nr, ng, nb, kr) and
    // (nb, kr, kg, kb), the latter turned to (kr, kg, kb, nb).
    static_assert(offsetof(OpticalConstants, kb) == 5 * sizeof(float), "six packed floats");
    const float* constants = &ior.nr;
    const __m128 n = _mm_loadu_ps(constants);
    const __m128 kLoad = _mm_loadu_ps(constants + 2);
    const __m128 k = _mm_shuffle_ps(kLoad, kLoad, _MM_SHUFFLE(0, 3, 2, 1));
    const __m128 reflectance = kernel::MeanOfPolarisedTerms(FloatLanes(n), FloatLanes(k), FloatLanes(cosTheta)).v;
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 inUnitRange = _mm_and_ps(_mm_cmpge_ps(reflectance, _mm_setzero_ps()), _mm_cmple_ps(reflectance, one));
    if (AURIVEL_UNLIKELY((_mm_movemask_ps(inUnitRange) & 7) != 7)) {
        return kernel::ConductorReflectanceRGBScalar(cosTheta, ior);
    }
    return Rgba{_mm_cvtss_f32(reflectance),
                _mm_cvtss_f32(_mm_shuffle_ps(reflectance, reflectance, _MM_SHUFFLE(1, 1, 1, 1))),
                _mm_cvtss_f32(_mm_movehl_ps(reflectance, reflectance)), 1.0f};
}

#else

// The reflectance at cos(theta), for each channel of ior;
// alpha is 1.
AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGB(float cosTheta, const OpticalConstants& ior) {
    return kernel::ConductorReflectanceRGBScalar(cosTheta, ior);
}

#endif

}  // namespace aurivel
