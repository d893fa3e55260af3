#pragma once

// The correctly rounded single-precision power by GNU MPFR: x^y rounded to
// nearest, ties to even, in the float format with its subnormals and its
// range, and C's special cases for pow. The oracle for shading/power.h.

namespace aurivel::reference {

float ExactPower(float x, float y);

}  // namespace aurivel::reference
