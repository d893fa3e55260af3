#include "rendering_space.h"

#include <lcms2.h>
#include <lcms2_plugin.h>

namespace aurivel::spectral {
namespace {

// Published chromaticities: ITU-R BT.709 (sRGB), ACES AP1 and the ACES white
// (SMPTE ST 2065-1).
constexpr Chromaticity kRec709Red{0.64, 0.33};
constexpr Chromaticity kRec709Green{0.30, 0.60};
constexpr Chromaticity kRec709Blue{0.15, 0.06};
constexpr Chromaticity kAp1Red{0.713, 0.293};
constexpr Chromaticity kAp1Green{0.165, 0.830};
constexpr Chromaticity kAp1Blue{0.128, 0.044};
constexpr Chromaticity kAcesWhite{0.32168, 0.33767};

cmsMAT3 ToCms(const Matrix3& m) {
    cmsMAT3 result;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result.v[row].n[column] = m[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        }
    }
    return result;
}

Matrix3 FromCms(const cmsMAT3& m) {
    Matrix3 result{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = m.v[row].n[column];
        }
    }
    return result;
}

cmsCIEXYZ ToCms(const Xyz& v) { return {v.x, v.y, v.z}; }

Matrix3 FromColumns(const Xyz& first, const Xyz& second, const Xyz& third) {
    return {{{first.x, second.x, third.x}, {first.y, second.y, third.y}, {first.z, second.z, third.z}}};
}

}  // namespace

Xyz XyzOf(Chromaticity c) { return {c.x / c.y, 1.0, (1.0 - c.x - c.y) / c.y}; }

Matrix3 RgbToXyzMatrix(Chromaticity red, Chromaticity green, Chromaticity blue, const Xyz& white) {
    // Each primary's XYZ at Y = 1, scaled so that the three add up to white.
    const Xyz r = XyzOf(red);
    const Xyz g = XyzOf(green);
    const Xyz b = XyzOf(blue);
    const Xyz scale = Apply(Inverse(FromColumns(r, g, b)), white);
    return FromColumns({r.x * scale.x, r.y * scale.x, r.z * scale.x}, {g.x * scale.y, g.y * scale.y, g.z * scale.y},
                       {b.x * scale.z, b.y * scale.z, b.z * scale.z});
}

Matrix3 BradfordMatrix(const Xyz& fromWhite, const Xyz& toWhite) {
    // The adaptation is linear, so its matrix's columns are the adapted unit vectors.
    const cmsCIEXYZ from = ToCms(fromWhite);
    const cmsCIEXYZ to = ToCms(toWhite);
    Xyz columns[3];
    const cmsCIEXYZ units[3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};
    for (int i = 0; i < 3; ++i) {
        cmsCIEXYZ adapted;
        cmsAdaptToIlluminant(&adapted, &from, &to, &units[i]);
        columns[i] = {adapted.X, adapted.Y, adapted.Z};
    }
    return FromColumns(columns[0], columns[1], columns[2]);
}

Matrix3 Inverse(const Matrix3& m) {
    const cmsMAT3 a = ToCms(m);
    cmsMAT3 inverse;
    if (!_cmsMAT3inverse(&a, &inverse)) {
        throw SpectralError("a colour space matrix is singular");
    }
    return FromCms(inverse);
}

Matrix3 Product(const Matrix3& a, const Matrix3& b) {
    const cmsMAT3 left = ToCms(a);
    const cmsMAT3 right = ToCms(b);
    cmsMAT3 product;
    _cmsMAT3per(&product, &left, &right);
    return FromCms(product);
}

Xyz Apply(const Matrix3& m, const Xyz& v) {
    const cmsMAT3 a = ToCms(m);
    cmsVEC3 in;
    _cmsVEC3init(&in, v.x, v.y, v.z);
    cmsVEC3 out;
    _cmsMAT3eval(&out, &a, &in);
    return {out.n[0], out.n[1], out.n[2]};
}

double DeltaE2000(const Lab& a, const Lab& b) {
    const cmsCIELab first{a.l, a.a, a.b};
    const cmsCIELab second{b.l, b.a, b.b};
    return cmsCIE2000DeltaE(&first, &second, 1.0, 1.0, 1.0);
}

RenderingSpace::RenderingSpace(RenderingSpaceId id, const Xyz& d65White) : id_(id), white_(d65White) {
    if (id == RenderingSpaceId::kSrgb) {
        toXyz_ = RgbToXyzMatrix(kRec709Red, kRec709Green, kRec709Blue, d65White);
    } else {
        const Xyz acesWhite = XyzOf(kAcesWhite);
        toXyz_ = Product(BradfordMatrix(acesWhite, d65White), RgbToXyzMatrix(kAp1Red, kAp1Green, kAp1Blue, acesWhite));
    }
    fromXyz_ = Inverse(toXyz_);
}

const char* RenderingSpace::Name() const { return id_ == RenderingSpaceId::kSrgb ? "sRGB" : "ACEScg"; }

LinearRgb RenderingSpace::FromXyz(const Xyz& xyz) const {
    const Xyz v = Apply(fromXyz_, xyz);
    return {v.x, v.y, v.z};
}

Xyz RenderingSpace::ToXyz(const LinearRgb& rgb) const { return Apply(toXyz_, {rgb.r, rgb.g, rgb.b}); }

Lab RenderingSpace::LabOf(const LinearRgb& rgb) const {
    const cmsCIEXYZ white = ToCms(white_);
    const cmsCIEXYZ xyz = ToCms(ToXyz(rgb));
    cmsCIELab lab;
    cmsXYZ2Lab(&white, &lab, &xyz);
    return {lab.L, lab.a, lab.b};
}

double RenderingSpace::DeltaE2000(const LinearRgb& a, const LinearRgb& b) const {
    return spectral::DeltaE2000(LabOf(a), LabOf(b));
}

bool RenderingSpace::InGamut(const LinearRgb& rgb) {
    // A perfect reflector's (1, 1, 1) comes back from the matrices within rounding.
    constexpr double kRounding = 1e-9;
    const auto inside = [](double v) { return v >= -kRounding && v <= 1.0 + kRounding; };
    return inside(rgb.r) && inside(rgb.g) && inside(rgb.b);
}

}  // namespace aurivel::spectral
