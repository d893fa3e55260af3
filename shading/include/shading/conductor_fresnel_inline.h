#pragma once

// The conductor reflectance as inline code, so that a caller's sample
// compiles into one function. conductor_fresnel.h declares the same
// operations out of line; both give the same bits.

#include <cstddef>

#include "shading/kernel_support.h"
#include "shading/shading_types.h"

namespace aurivel::kernel {

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

// The mean of the s-polarised (perpendicular) term,
// (a - 2n cos + cos^2) / (a + 2n cos + cos^2) with a = n^2 + k^2, and the
// p-polarised (parallel) term, (a cos^2 - 2n cos + 1) / (a cos^2 + 2n cos + 1),
// before the limits: for one channel in float, or for three in FloatLanes,
// with the same operations in the same order.
template <class Real>
AURIVEL_FORCE_INLINE Real MeanOfPolarisedTerms(Real n, Real k, Real cosine) {
    const Real squaredMagnitude = (k * k) + (n * n);  // |n + ik|^2
    const Real twoNCosine = (n + n) * cosine;
    const Real cosineSquared = cosine * cosine;
    const Real perpendicular = PerpendicularRatio((squaredMagnitude - twoNCosine) + cosineSquared,
                                                  (twoNCosine + squaredMagnitude) + cosineSquared);
    // (a cos) cos rather than a times cos^2: the two can differ in the last bit.
    const Real squaredMagnitudeCosineSquared = (squaredMagnitude * cosine) * cosine;
    const Real one(1.0f);
    const Real parallel =
        ((squaredMagnitudeCosineSquared - twoNCosine) + one) / ((twoNCosine + squaredMagnitudeCosineSquared) + one);
    return (perpendicular + parallel) * Real(0.5f);
}

AURIVEL_FORCE_INLINE float ConductorReflectance(float n, float k, float cosine) {
    float reflectance = MeanOfPolarisedTerms(n, k, cosine);
    // Ordered comparisons: NaN passes both unchanged.
    if (reflectance > 1.0f) {
        reflectance = 1.0f;
    }
    if (reflectance < 0.0f) {
        reflectance = 0.0f;
    }
    return reflectance;
}

AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGBScalar(float cosine, const OpticalConstants& ior) {
    return Rgba{ConductorReflectance(ior.nr, ior.kr, cosine), ConductorReflectance(ior.ng, ior.kg, cosine),
                ConductorReflectance(ior.nb, ior.kb, cosine), 1.0f};
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

// The three channels in three lanes of one register. MeanOfPolarisedTerms
// gives each lane one channel's operations in the same order, every one an
// IEEE single operation with its own rounding, so each lane's bits are the
// scalar result's; the fourth lane's result is dropped. The 0/0 case and the limits
// are left to the scalar code: either one makes a lane's mean fall outside
// [0, 1] (0/0 makes it NaN), and a mean inside [0, 1] passes both limits
// unchanged. So the common case keeps them off its chain of dependent
// operations, behind a branch that is almost never taken.
AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    // Two unaligned loads inside the record: (nr, ng, nb, kr) and
    // (nb, kr, kg, kb), the latter turned to (kr, kg, kb, nb).
    static_assert(offsetof(OpticalConstants, kb) == 5 * sizeof(float), "six packed floats");
    const float* constants = &ior.nr;
    const __m128 n = _mm_loadu_ps(constants);
    const __m128 kLoad = _mm_loadu_ps(constants + 2);
    const __m128 k = _mm_shuffle_ps(kLoad, kLoad, _MM_SHUFFLE(0, 3, 2, 1));
    const __m128 reflectance = MeanOfPolarisedTerms(FloatLanes(n), FloatLanes(k), FloatLanes(cosine)).v;
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 inUnitRange = _mm_and_ps(_mm_cmpge_ps(reflectance, _mm_setzero_ps()), _mm_cmple_ps(reflectance, one));
    if (AURIVEL_UNLIKELY((_mm_movemask_ps(inUnitRange) & 7) != 7)) {
        return ConductorReflectanceRGBScalar(cosine, ior);
    }
    return Rgba{_mm_cvtss_f32(reflectance),
                _mm_cvtss_f32(_mm_shuffle_ps(reflectance, reflectance, _MM_SHUFFLE(1, 1, 1, 1))),
                _mm_cvtss_f32(_mm_movehl_ps(reflectance, reflectance)), 1.0f};
}

#else

AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return ConductorReflectanceRGBScalar(cosine, ior);
}

#endif

}  // namespace aurivel::kernel
