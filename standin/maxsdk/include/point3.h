// A point or vector of three single-precision floats.
#pragma once

#include "geomexp.h"

class GEOM_EXPORT Point3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Point3() = default;
    Point3(float X, float Y, float Z) : x(X), y(Y), z(Z) {}

    bool operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const Point3& p) const { return !(*this == p); }
};
