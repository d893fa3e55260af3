// A 4x3 transformation matrix: three axes and a translation.
#pragma once

#include <windows.h>

#include "geomexp.h"
#include "point3.h"

class Matrix3 {
public:
    // Sets the identity.
    GEOM_EXPORT void IdentityMatrix();

private:
    Point3 m[4];
    DWORD flags = 0;
};
