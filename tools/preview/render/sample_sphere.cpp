#include "render/sample_sphere.h"

#include <algorithm>
#include <cmath>

namespace aurivel::preview {
namespace {

// The sphere leaves a margin of the checker around it, as in the editor.
constexpr double kSphereFraction = 0.92;
constexpr int kCheckerCellsAcross = 8;

}  // namespace

SampleSphere::SampleSphere(int size)
    : size_(size), radiusPixels_(0.5 * kSphereFraction * size), checkerCell_(std::max(1, size / kCheckerCellsAcross)) {}

std::optional<SphereSample> SampleSphere::At(int x, int y) const {
    const double centre = CentrePixel();
    const double sx = (x - centre) / radiusPixels_;
    const double sy = (centre - y) / radiusPixels_;
    const double rr = sx * sx + sy * sy;
    if (rr >= 1.0) {
        return std::nullopt;
    }
    SphereSample sample;
    sample.normal = {static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(std::sqrt(1.0 - rr))};
    sample.view = {0.0f, 0.0f, -1.0f};
    return sample;
}

Rgb SampleSphere::Background(int x, int y) const {
    const bool dark = ((x / checkerCell_) + (y / checkerCell_)) % 2 == 0;
    return dark ? kCheckerDark : kCheckerLight;
}

}  // namespace aurivel::preview
