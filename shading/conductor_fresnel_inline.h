#pragma once

// The conductor reflectance as inline code, so that a caller's sample
// compiles into one function. conductor_fresnel.h declares the same
// operations out of line; both give the same bits.

#include <cstddef>

#include "shading/kernel_support.h"
#include "shading/shading_types.h"

namespace aurivel::kernel {

// With n = k = 0 at a cosine of 0 (or one whose square underflows) the
// perpendicular term is 0/0. Its limit towards grazing incidence is 1, the
// same as for every other index there. Only the exact 0/0 is replaced, so a
// vanishing denominator over a non-zero numerator still yields infinity.
AURIVEL_FORCE_INLINE float PerpendicularTerm(float s, float t, float cosineSquared) {
    const float numerator = (s - t) + cosineSquared;
    const float denominator = (t + s) + cosineSquared;
    if (numerator == 0.0f && denominator == 0.0f) {
        return 1.0f;
    }
    return numerator / denominator;
}

AURIVEL_FORCE_INLINE float ConductorReflectance(float n, float k, float cosine) {
    const float mu = cosine;
    const float s = (k * k) + (n * n);
    const float t = (n + n) * mu;
    const float mu2 = mu * mu;
    const float rs = PerpendicularTerm(s, t, mu2);
    const float smu2 = (s * mu) * mu;
    const float rp = ((smu2 - t) + 1.0f) / ((t + smu2) + 1.0f);
    float r = (rs + rp) * 0.5f;
    // Ordered comparisons: NaN passes both unchanged.
    if (r > 1.0f) {
        r = 1.0f;
    }
    if (r < 0.0f) {
        r = 0.0f;
    }
    return r;
}

AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGBScalar(float cosine, const OpticalConstants& ior) {
    return Rgba{ConductorReflectance(ior.nr, ior.kr, cosine), ConductorReflectance(ior.ng, ior.kg, cosine),
                ConductorReflectance(ior.nb, ior.kb, cosine), 1.0f};
}

#ifdef AURIVEL_KERNEL_SSE2

// The three channels in three lanes of one register. Each lane performs
// the scalar operations above in the same order, every one an IEEE single
// operation with its own rounding, so each lane's bits are the scalar
// result's; the fourth lane's result is dropped. The 0/0 case and the limits
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
    const __m128 mu = _mm_set1_ps(cosine);
    const __m128 one = _mm_set1_ps(1.0f);

    const __m128 s = _mm_add_ps(_mm_mul_ps(k, k), _mm_mul_ps(n, n));
    const __m128 t = _mm_mul_ps(_mm_add_ps(n, n), mu);
    const __m128 mu2 = _mm_mul_ps(mu, mu);
    const __m128 rs = _mm_div_ps(_mm_add_ps(_mm_sub_ps(s, t), mu2), _mm_add_ps(_mm_add_ps(t, s), mu2));
    const __m128 smu2 = _mm_mul_ps(_mm_mul_ps(s, mu), mu);
    const __m128 rp = _mm_div_ps(_mm_add_ps(_mm_sub_ps(smu2, t), one), _mm_add_ps(_mm_add_ps(t, smu2), one));
    const __m128 r = _mm_mul_ps(_mm_add_ps(rs, rp), _mm_set1_ps(0.5f));

    const __m128 inUnitRange = _mm_and_ps(_mm_cmpge_ps(r, _mm_setzero_ps()), _mm_cmple_ps(r, one));
    if (AURIVEL_UNLIKELY((_mm_movemask_ps(inUnitRange) & 7) != 7)) {
        return ConductorReflectanceRGBScalar(cosine, ior);
    }
    return Rgba{_mm_cvtss_f32(r), _mm_cvtss_f32(_mm_shuffle_ps(r, r, _MM_SHUFFLE(1, 1, 1, 1))),
                _mm_cvtss_f32(_mm_movehl_ps(r, r)), 1.0f};
}

#else

AURIVEL_FORCE_INLINE Rgba ConductorReflectanceRGB(float cosine, const OpticalConstants& ior) {
    return ConductorReflectanceRGBScalar(cosine, ior);
}

#endif

}  // namespace aurivel::kernel
