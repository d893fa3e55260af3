// The material editor's sample slot: a unit sphere seen orthographically
// straight down -z, in front of a grey checker.
#pragma once

#include <optional>

#include "render/image.h"
#include "shading/shading_types.h"

namespace aurivel::preview {

struct SphereSample {
    Vec3 normal{};  // the sphere's outward normal, +z towards the viewer
    Vec3 view{};    // the direction from the eye to the surface
};

class SampleSphere {
public:
    // size is the side of the square slot in pixels; it must be odd so that
    // one pixel centre lies on the axis, where the view is exactly head-on.
    explicit SampleSphere(int size);

    int Size() const { return size_; }
    int CentrePixel() const { return size_ / 2; }

    // The surface seen through the centre of pixel (x, y), or nothing where
    // the ray misses the sphere and the background shows.
    std::optional<SphereSample> At(int x, int y) const;

    // The background behind the sphere at pixel (x, y), linear.
    Rgb Background(int x, int y) const;

private:
    int size_;
    double radiusPixels_;
    int checkerCell_;
};

inline constexpr Rgb kCheckerDark{0.18f, 0.18f, 0.18f};
inline constexpr Rgb kCheckerLight{0.42f, 0.42f, 0.42f};

}  // namespace aurivel::preview
