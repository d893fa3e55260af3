// The colour operations of the host's geometry library.
#include "acolor.h"

namespace {

void ClampUnit(float& v) {
    if (v < 0.0f)
        v = 0.0f;
    else if (v > 1.0f)
        v = 1.0f;
}

}  // namespace

void AColor::ClampMinMax() {
    ClampUnit(r);
    ClampUnit(g);
    ClampUnit(b);
    ClampUnit(a);
}
