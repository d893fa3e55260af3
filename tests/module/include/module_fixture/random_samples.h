// Random shading inputs that come out the same on every platform and with
// every compiler: the generator uses 64-bit integer operations only, and the
// floats made from it take correctly rounded single-precision operations
// (no library function but the square root).
#pragma once

#include <cmath>
#include <cstdint>

#include "point3.h"

namespace aurivel_test {

// SplitMix64. Streams with different numbers start at scrambled points of the
// generator's cycle, so they do not repeat each other's values.
class SplitMix64 {
public:
    explicit SplitMix64(uint64_t stream) : state_(Scramble(stream)) {}
    uint64_t Next() { return Scramble(state_ += 0x9E3779B97F4A7C15ull); }
    // Uniform in [0, 1), from 24 random bits.
    float Unit() { return static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1), from 24 random bits.
    float Signed() { return 2.0f * Unit() - 1.0f; }

private:
    static uint64_t Scramble(uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

// Uniform on the sphere: a point in the unit ball, pushed out to its surface.
inline Point3 RandomUnitVector(SplitMix64& rng) {
    for (;;) {
        const float x = rng.Signed(), y = rng.Signed(), z = rng.Signed();
        const float lengthSquared = x * x + y * y + z * z;
        if (lengthSquared <= 1.0f && lengthSquared > 1e-4f) {
            const float inverse = 1.0f / std::sqrt(lengthSquared);
            return Point3(x * inverse, y * inverse, z * inverse);
        }
    }
}

}  // namespace aurivel_test
