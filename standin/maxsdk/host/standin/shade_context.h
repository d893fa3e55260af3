// A shade context for tests and tools: a fixed normal and view direction,
// and a record of the G-buffer ids it is handed.
#pragma once

#include "standin/unimplemented.h"
#include "imtl.h"
#include "point3.h"

namespace standin {

class SimpleShadeContext : public standin::Unimplemented<ShadeContext> {
public:
    SimpleShadeContext() = default;
    SimpleShadeContext(const Point3& n, const Point3& v) : normal(n), view(v) {}

    Point3 Normal() override { return normal; }
    Point3 V() override { return view; }
    void SetGBufferID(int gbid) override {
        lastGBufferID = gbid;
        ++gbufferIDCalls;
    }

    Point3 normal{0.0f, 0.0f, 1.0f};  // unit shading normal
    Point3 view{0.0f, 0.0f, -1.0f};   // unit direction from the eye
    int lastGBufferID = 0;
    int gbufferIDCalls = 0;
};

}  // namespace standin
