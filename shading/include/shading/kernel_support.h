#pragma once

// For the functions of one shading sample: the compiler's size heuristics
// would otherwise leave the larger ones as calls, which in a shared module
// also go through the PLT.
#if defined(__GNUC__) || defined(__clang__)
#define AURIVEL_FORCE_INLINE inline __attribute__((always_inline))
#elif defined(_MSC_VER)
#define AURIVEL_FORCE_INLINE __forceinline
#else
#define AURIVEL_FORCE_INLINE inline
#endif

// For a rare path kept out of its caller, so that the caller needs no call
// and so fewer saved registers.
#if defined(__GNUC__) || defined(__clang__)
#define AURIVEL_NO_INLINE __attribute__((noinline))
#elif defined(_MSC_VER)
#define AURIVEL_NO_INLINE __declspec(noinline)
#else
#define AURIVEL_NO_INLINE
#endif

// SSE2 is part of every x86-64 target; elsewhere the scalar code serves.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define AURIVEL_KERNEL_SSE2 1
#endif

// Branch layout hints for the sample's rare cases, so that the common path
// runs straight through.
#if defined(__GNUC__) || defined(__clang__)
#define AURIVEL_LIKELY(condition) __builtin_expect(static_cast<bool>(condition), 1)
#define AURIVEL_UNLIKELY(condition) __builtin_expect(static_cast<bool>(condition), 0)
#else
#define AURIVEL_LIKELY(condition) (condition)
#define AURIVEL_UNLIKELY(condition) (condition)
#endif
