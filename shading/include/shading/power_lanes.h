#pragma once

// The fast path's constants, each twice over for the two SSE2 lanes of the
// gamma step, 16-byte aligned. Defined in power_lanes.cpp, away from their
// users on purpose: where the compiler sees a constant's value, it builds
// both lanes from 8 bytes with two instructions instead of reading 16.

namespace aurivel::power_lanes {

struct alignas(16) Pair {
    double lanes[2];
};

extern const Pair kLog2Fast[6];
extern const Pair kExp2Fast[4];
extern const Pair kOne;
extern const Pair kRoundToInteger;
extern const Pair kSignBit;
extern const Pair kNormalRangeMiddle;
extern const Pair kNormalRangeHalfWidth;

}  // namespace aurivel::power_lanes
