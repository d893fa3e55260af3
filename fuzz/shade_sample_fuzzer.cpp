// One sample from arbitrary bits: the normal and view direction and the nine
// cached values (six optical constants, hue shift, saturation change, gamma)
// as raw floats, NaNs and infinities included. The host-free sample and a
// map's EvalColor must both give a colour in [0, 1] with alpha 1; the map's is
// bit for bit the host-free sample of the values that it evaluates for those
// its block holds.
//
// Input: 15 native floats in that order (normal xyz, view xyz, n rgb, k rgb,
// hue, sat, gamma); a shorter input is padded with zero bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "iparamb2.h"
#include "loaded_module.h"
#include "map/AurivelParams.h"
#include "require.h"
#include "shading/bit_cast.h"
#include "shading/shade_sample.h"
#include "standin/shade_context.h"

namespace {

struct SampleInput {
    aurivel::Vec3 normal;
    aurivel::Vec3 view;
    aurivel::OpticalConstants ior;
    float hueShift;
    float satShift;
    float gamma;
};
static_assert(sizeof(SampleInput) == 15 * sizeof(float), "15 packed floats");

SampleInput Decode(const uint8_t* data, size_t size) {
    SampleInput input;
    std::memset(&input, 0, sizeof input);
    std::memcpy(&input, data, size < sizeof input ? size : sizeof input);
    return input;
}

bool IsUnit(float channel) { return channel >= 0.0f && channel <= 1.0f; }

void RequireValidColour(float r, float g, float b, float a) {
    FUZZ_REQUIRE(IsUnit(r));
    FUZZ_REQUIRE(IsUnit(g));
    FUZZ_REQUIRE(IsUnit(b));
    FUZZ_REQUIRE(a == 1.0f);
}

// One map for the whole run, ended before the module is unloaded.
class Map {
public:
    Map() : map_(aurivel_fuzz::NewMap()) {}
    ~Map() { map_->DeleteThis(); }
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    AColor Sample(const SampleInput& in) {
        IParamBlock2* block = map_->GetParamBlock(0);
        const float values[] = {in.ior.nr, in.ior.ng, in.ior.nb,   in.ior.kr,  in.ior.kg,
                                in.ior.kb, in.gamma,  in.hueShift, in.satShift};
        const ParamID ids[] = {pb_nr, pb_ng, pb_nb, pb_kr, pb_kg, pb_kb, pb_gamma, pb_hue, pb_sat};
        for (size_t i = 0; i < sizeof ids / sizeof ids[0]; ++i) FUZZ_REQUIRE(block->SetValue(ids[i], 0, values[i]));
        Interval valid = FOREVER;
        map_->Update(0, valid);
        standin::SimpleShadeContext sc(Point3(in.normal.x, in.normal.y, in.normal.z),
                                       Point3(in.view.x, in.view.y, in.view.z));
        return map_->EvalColor(sc);
    }

private:
    Texmap* map_;
};

aurivel::Rgba PlainSampleOfTheEvaluatedValues(const SampleInput& in) {
    const aurivel::OpticalConstants ior{
        EvaluatedValue(in.ior.nr, kNrDeclaration), EvaluatedValue(in.ior.ng, kNgDeclaration),
        EvaluatedValue(in.ior.nb, kNbDeclaration), EvaluatedValue(in.ior.kr, kKrDeclaration),
        EvaluatedValue(in.ior.kg, kKgDeclaration), EvaluatedValue(in.ior.kb, kKbDeclaration)};
    return aurivel::ShadeSample(in.normal, in.view, ior, EvaluatedValue(in.hueShift, kHueDeclaration),
                                EvaluatedValue(in.satShift, kSatDeclaration),
                                EvaluatedValue(in.gamma, kGammaDeclaration));
}

Map& TheMap() {
    aurivel_fuzz::LoadedModule();
    static Map map;
    return map;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TheMap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SampleInput in = Decode(data, size);
    const aurivel::Rgba raw = aurivel::ShadeSample(in.normal, in.view, in.ior, in.hueShift, in.satShift, in.gamma);
    RequireValidColour(raw.r, raw.g, raw.b, raw.a);
    const aurivel::Rgba plain = PlainSampleOfTheEvaluatedValues(in);

    const AColor mapped = TheMap().Sample(in);
    RequireValidColour(mapped.r, mapped.g, mapped.b, mapped.a);
    FUZZ_REQUIRE(aurivel::BitsOf(mapped.r) == aurivel::BitsOf(plain.r));
    FUZZ_REQUIRE(aurivel::BitsOf(mapped.g) == aurivel::BitsOf(plain.g));
    FUZZ_REQUIRE(aurivel::BitsOf(mapped.b) == aurivel::BitsOf(plain.b));
    return 0;
}
