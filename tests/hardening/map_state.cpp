#include "map_state.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "module_fixture/module_fixture.h"
#include "standin/scene_file.h"
#include "standin/shade_context.h"

namespace aurivel_test {
namespace {

constexpr ParamID kFloatIDs[] = {pb_nr, pb_ng, pb_nb, pb_kr, pb_kg, pb_kb, pb_gamma, pb_hue, pb_sat};
constexpr TimeValue kRenderTimes[] = {0, 160, 320};
constexpr float kCosines[] = {1.0f, 0.6f, 0.05f};

std::string Hex(uint32_t bits) {
    char text[12];
    std::snprintf(text, sizeof text, "%08x", bits);
    return text;
}

std::string Narrow(const MSTR& text) {
    std::string out;
    for (const MCHAR* p = text.data(); *p; ++p) {
        if (*p >= 0x20 && *p < 0x7f)
            out.push_back(static_cast<char>(*p));
        else
            out += "\\u" + Hex(static_cast<uint32_t>(*p));
    }
    return out;
}

std::string Parameters(IParamBlock2* block) {
    std::string text;
    for (TimeValue t : kStateTimes) {
        text += "  t=" + std::to_string(t) + " preset " + std::to_string(block->GetInt(pb_preset, t));
        for (ParamID id : kFloatIDs) text += ' ' + Hex(BitsOf(block->GetFloat(id, t)));
        text += '\n';
    }
    return text;
}

std::string Colours(Texmap* map) {
    std::string text;
    for (TimeValue t : kRenderTimes) {
        Interval valid = FOREVER;
        map->Update(t, valid);
        text += "  colours at t=" + std::to_string(t) + ':';
        for (float mu : kCosines) {
            standin::SimpleShadeContext sc(Point3(0.0f, 0.0f, 1.0f), Point3(0.0f, std::sqrt(1.0f - mu * mu), -mu));
            const AColor c = map->EvalColor(sc);
            text += ' ' + Hex(BitsOf(c.r)) + '/' + Hex(BitsOf(c.g)) + '/' + Hex(BitsOf(c.b)) + '/' + Hex(BitsOf(c.a));
        }
        text += '\n';
    }
    return text;
}

}  // namespace

std::string DescribeMap(Texmap* map) {
    std::string text;
    for (int depth = 0; map; ++depth, map = map->GetSubTexmap(0)) {
        auto* output = static_cast<TextureOutput*>(map->GetReference(1));
        text += "map " + std::to_string(depth) + " \"" + Narrow(map->GetName()) + "\" gbuffer " +
                std::to_string(map->gbufID) + " output " + Hex(BitsOf(output->GetOutputLevel(0))) + '\n';
        text += Parameters(map->GetParamBlock(0));
        text += Colours(map);
    }
    return text;
}

Texmap* RichScene() {
    Texmap* top = Module::NewMap();
    IParamBlock2* block = top->GetParamBlock(0);
    block->SetValue(pb_preset, 0, 3);
    block->SetValue(pb_kr, 0, 1.25f);
    block->SetValue(pb_hue, 0, -30.0f);
    top->SetName(MSTR(L"Brass \u00e9"));
    top->gbufID = 7;

    Texmap* sub = Module::NewMap();
    AnimateOn();
    sub->GetParamBlock(0)->SetValue(pb_gamma, 160, 1.8f);
    sub->GetParamBlock(0)->SetValue(pb_sat, 320, 40.0f);
    AnimateOff();

    Texmap* innermost = Module::NewMap();
    innermost->ReplaceReference(1, top->GetReference(1));
    sub->SetSubTexmap(0, innermost);
    top->SetSubTexmap(0, sub);
    return top;
}

std::vector<unsigned char> SaveBytes(Texmap* map) {
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_EQ(standin::SaveSceneToBytes(map, bytes, SIZE_MAX, &error), IO_OK) << error;
    return bytes;
}

}  // namespace aurivel_test
