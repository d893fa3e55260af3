// The linear RGB spaces a 3ds Max 2024 scene may render in, and colour
// differences judged as an observer under D65 would.
#pragma once

#include <array>

#include "observer.h"

namespace aurivel::metal_colour {

// A 3 × 3 matrix as three rows.
using Matrix3 = std::array<std::array<double, 3>, 3>;

struct Chromaticity {
    double x = 0.0;
    double y = 0.0;
};

struct LinearRgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

struct Lab {
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

enum class RenderingSpaceId {
    kSrgb,    // Rec.709 primaries, D65 white
    kAcescg,  // ACES AP1 primaries, the ACES white
};

// The XYZ of a chromaticity at luminance Y = 1.
Xyz XyzOf(Chromaticity c);

// The matrix from linear RGB to XYZ for three primaries and the XYZ that
// RGB (1, 1, 1) must give.
Matrix3 RgbToXyzMatrix(Chromaticity red, Chromaticity green, Chromaticity blue, const Xyz& white);

// Bradford chromatic adaptation of XYZ from one white to another.
Matrix3 BradfordMatrix(const Xyz& fromWhite, const Xyz& toWhite);

// Throws SpectralError for a matrix that has no usable inverse.
Matrix3 Inverse(const Matrix3& m);
Matrix3 Product(const Matrix3& a, const Matrix3& b);
Xyz Apply(const Matrix3& m, const Xyz& v);

double DeltaE2000(const Lab& a, const Lab& b);

// A rendering space seen from the observer's D65 white: RGB (1, 1, 1) is
// that white (in ACEScg after Bradford adaptation to the ACES white).
class RenderingSpace {
public:
    RenderingSpace(RenderingSpaceId id, const Xyz& d65White);

    RenderingSpaceId Id() const { return id_; }
    const char* Name() const;

    // XYZ relative to the D65 white, and back.
    LinearRgb FromXyz(const Xyz& xyz) const;
    Xyz ToXyz(const LinearRgb& rgb) const;

    // CIELAB relative to the D65 white.
    Lab LabOf(const LinearRgb& rgb) const;
    double DeltaE2000(const LinearRgb& a, const LinearRgb& b) const;

    // Whether every channel lies in [0, 1], where the map can reach it.
    static bool InGamut(const LinearRgb& rgb);

private:
    RenderingSpaceId id_;
    Xyz white_;
    Matrix3 fromXyz_;
    Matrix3 toXyz_;
};

}  // namespace aurivel::metal_colour
