// The per-sample evaluation. Render threads call these concurrently on one
// map: they only read the cache that Update wrote.
#include "map/Aurivel.h"

#include "shading/shade_sample.h"

void Aurivel::SetGBufferIDOf(ShadeContext& sc) const {
    if (gbufID != 0) sc.SetGBufferID(static_cast<int>(gbufID));
}

AColor Aurivel::EvalColor(ShadeContext& sc) {
    SetGBufferIDOf(sc);
    const Point3 normal = sc.Normal();
    const Point3 view = sc.V();
    // The inline sample: compiled into this function, no call per stage.
    const aurivel::Rgba c = aurivel::ShadeSample({normal.x, normal.y, normal.z}, {view.x, view.y, view.z}, ior,
                                                 hueShift, satShift, gammaExp);
    return texout->Filter(AColor(c.r, c.g, c.b, c.a));
}

float Aurivel::EvalMono(ShadeContext& sc) {
    // The id is handed over before the colour is evaluated, through the
    // overridable EvalColor, which hands it over again: a map derived from
    // this one gets its id into the context even if its EvalColor does not.
    SetGBufferIDOf(sc);
    const AColor c = EvalColor(sc);
    return ((c.g + c.r) + c.b) / 3.0f;
}

Point3 Aurivel::EvalNormalPerturb(ShadeContext& sc) {
    SetGBufferIDOf(sc);
    return Point3(0.0f, 0.0f, 0.0f);
}
