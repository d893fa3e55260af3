// An axis-aligned box between two corners.
#pragma once

#include "point3.h"

class Box3 {
public:
    Point3 pmin, pmax;
};
