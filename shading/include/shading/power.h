#pragma once

namespace aurivel {

// x raised to the power y, correctly rounded: the float nearest to the exact
// x^y, ties to even, including subnormal results, overflow to infinity and
// underflow to zero. Zeros, infinities, NaN and negative x follow the C
// standard's special cases for pow (C17 F.10.4.4); a NaN result is the NaN
// operand made quiet (x's first), or the default quiet NaN. Only IEEE
// double and integer arithmetic is used, in a fixed order and without fused
// multiply-add, so every platform and compiler gives the same bits.
float Power(float x, float y);

// Three values each raised to the same power.
struct PowerTriple {
    float a, b, c;
};

// a, b and c each raised to y, as Power: the gamma step, with the three
// fast paths in SSE2 lanes where the target has them. A call of its own on
// purpose: compiled into the map's EvalColor, its demand for registers
// made the sample at the default gamma of 1, which skips it, slower.
PowerTriple RaiseEachToPower(float a, float b, float c, float y);

}  // namespace aurivel
