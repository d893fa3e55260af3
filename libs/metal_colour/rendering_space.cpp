#include "metal_colour/rendering_space.h"

#include <lcms2.h>

#include <cmath>
#include <cstddef>
#include <optional>

namespace aurivel::metal_colour {
namespace {

// A rendering space as its standard gives it: three primaries and the white
// that RGB (1, 1, 1) is.
struct SpaceDescription {
    RenderingSpaceId id;
    const char* name;
    Chromaticity red, green, blue;
    // None: the observer's own D65 white. Another white is adapted to that
    // one by Bradford's transform.
    std::optional<Chromaticity> white;
};

// Published chromaticities: ITU-R BT.709 (sRGB), ACES AP1 and the ACES white
// (SMPTE ST 2065-1).
constexpr SpaceDescription kSpaces[] = {
    {RenderingSpaceId::kSrgb, "sRGB", {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, std::nullopt},
    {RenderingSpaceId::kAcescg,
     "ACEScg",
     {0.713, 0.293},
     {0.165, 0.830},
     {0.128, 0.044},
     Chromaticity{0.32168, 0.33767}},
};

// The table holds the spaces in the order of their ids.
static_assert(kSpaces[static_cast<int>(RenderingSpaceId::kSrgb)].id == RenderingSpaceId::kSrgb &&
              kSpaces[static_cast<int>(RenderingSpaceId::kAcescg)].id == RenderingSpaceId::kAcescg);

const SpaceDescription& DescriptionOf(RenderingSpaceId id) { return kSpaces[static_cast<std::size_t>(id)]; }

// The space's RGB to XYZ relative to the observer's D65 white.
Matrix3 RgbToD65Xyz(const SpaceDescription& space, const Xyz& d65White) {
    if (!space.white) {
        return RgbToXyzMatrix(space.red, space.green, space.blue, d65White);
    }
    const Xyz white = XyzOf(*space.white);
    return Product(BradfordMatrix(white, d65White), RgbToXyzMatrix(space.red, space.green, space.blue, white));
}

// Below this the matrices of colour spaces, whose entries are of order 1,
// have no inverse worth the name.
constexpr double kSingularDeterminant = 1e-4;

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
    // The adjugate over the determinant, expanded along the first row.
    const double c0 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const double c1 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const double c2 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const double determinant = m[0][0] * c0 + m[0][1] * c1 + m[0][2] * c2;
    if (!(std::fabs(determinant) >= kSingularDeterminant)) {
        throw SpectralError("a colour space matrix is singular");
    }
    return {{{c0 / determinant, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / determinant,
              (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / determinant},
             {c1 / determinant, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / determinant,
              (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / determinant},
             {c2 / determinant, (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / determinant,
              (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / determinant}}};
}

Matrix3 Product(const Matrix3& a, const Matrix3& b) {
    Matrix3 product{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            product[row][column] = a[row][0] * b[0][column] + a[row][1] * b[1][column] + a[row][2] * b[2][column];
        }
    }
    return product;
}

Xyz Apply(const Matrix3& m, const Xyz& v) {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

double DeltaE2000(const Lab& a, const Lab& b) {
    const cmsCIELab first{a.l, a.a, a.b};
    const cmsCIELab second{b.l, b.a, b.b};
    return cmsCIE2000DeltaE(&first, &second, 1.0, 1.0, 1.0);
}

RenderingSpace::RenderingSpace(RenderingSpaceId id, const Xyz& d65White)
    : id_(id), white_(d65White), toXyz_(RgbToD65Xyz(DescriptionOf(id), d65White)) {
    fromXyz_ = Inverse(toXyz_);
}

const char* RenderingSpace::Name() const { return DescriptionOf(id_).name; }

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
    return metal_colour::DeltaE2000(LabOf(a), LabOf(b));
}

bool RenderingSpace::InGamut(const LinearRgb& rgb) {
    // A perfect reflector's (1, 1, 1) comes back from the matrices within rounding.
    constexpr double kRounding = 1e-9;
    const auto inside = [](double v) { return v >= -kRounding && v <= 1.0 + kRounding; };
    return inside(rgb.r) && inside(rgb.g) && inside(rgb.b);
}

}  // namespace aurivel::metal_colour
