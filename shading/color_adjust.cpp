#include "shading/color_adjust.h"

#include <cmath>

namespace aurivel {

float WrapToRange(float v, float lo, float hi) {
    if (lo > hi || std::isnan(v)) {
        return v;
    }
    if (std::isinf(v)) {
        return lo;
    }
    const double low = lo;
    const double high = hi;
    double x = v;
    if (x >= low && x < high) {
        return v;
    }
    const double width = high - low;
    if (width == 0.0) {
        return lo;
    }
    // fmod is exact: the jump lands where the stepping takes its last step
    // (from below) or on its exact result (from above), and the loops finish
    // with the stepping's own rounding. With lo = 0 the jump is exact for every
    // finite v. Infinite bounds need no jump: one infinite step ends a loop.
    if (std::isfinite(width)) {
        x = low + std::fmod(x - low, width);
    }
    while (x < low) {
        x += width;
    }
    while (x >= high) {
        x -= width;
    }
    // A width rounded in double can step right over a range that is narrow
    // next to its bounds (such as [1e-37, 1e38)); lo is then the nearest answer.
    return x < low ? lo : static_cast<float>(x);
}

}  // namespace aurivel
