// A value's bits read as another type of the same size (std::bit_cast is
// C++20): the one way the project turns floats into their bits and back.
#pragma once

#include <cstdint>
#include <cstring>

#include "shading/kernel_support.h"

namespace aurivel {

template <class To, class From>
AURIVEL_FORCE_INLINE To BitCast(From value) {
    static_assert(sizeof(To) == sizeof(From), "a bit cast keeps the size");
    To result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

inline std::uint32_t BitsOf(float value) { return BitCast<std::uint32_t>(value); }
inline float FloatFromBits(std::uint32_t bits) { return BitCast<float>(bits); }

}  // namespace aurivel
