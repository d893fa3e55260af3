// Transformation matrices.
#include "matrix3.h"

void Matrix3::IdentityMatrix() {
    m[0] = Point3(1.0f, 0.0f, 0.0f);
    m[1] = Point3(0.0f, 1.0f, 0.0f);
    m[2] = Point3(0.0f, 0.0f, 1.0f);
    m[3] = Point3(0.0f, 0.0f, 0.0f);
    flags = 0;
}
