// What one shading sample costs in the module that users install: EvalColor
// through the map built in the Microsoft C++ ABI, loaded by the stand-in
// host, run under Wine. Prints, for the default parameters and for hue 10,
// sat 5, gamma 2.2, the median over rounds of the nanoseconds per sample,
// one "setting nanoseconds" line each, for scripts/bench.sh --wine to set
// beside the Linux build's. A measurement, never a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "map/AurivelParams.h"
#include "max.h"
#include "sample_views.h"
#include "standin/plugin_library.h"
#include "standin/shade_context.h"

namespace {

using aurivel::bench::kSampleCount;

// Odd, for a plain median.
constexpr int kRounds = 301;

double Seconds(const LARGE_INTEGER& ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Texmap* NewMap(ClassDesc* desc, float hue, float sat, float gamma) {
    auto* map = static_cast<Texmap*>(static_cast<ReferenceTarget*>(desc->Create(FALSE)));
    IParamBlock2* block = map->GetParamBlock(0);
    block->SetValue(pb_hue, 0, hue);
    block->SetValue(pb_sat, 0, sat);
    block->SetValue(pb_gamma, 0, gamma);
    Interval valid = FOREVER;
    map->Update(0, valid);
    return map;
}

// The median over rounds of one pass over the sample views.
double NanosecondsPerSample(Texmap* map, const aurivel::bench::NormalsAndViews& set) {
    standin::SimpleShadeContext sc;
    volatile float sink = 0.0f;
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            sc.normal = set.normals[i];
            sc.view = set.views[i];
            sink = sink + map->EvalColor(sc).r;
        }
        QueryPerformanceCounter(&end);
        LARGE_INTEGER elapsed;
        elapsed.QuadPart = end.QuadPart - start.QuadPart;
        rounds.push_back(Seconds(elapsed) * 1e9 / kSampleCount);
    }
    std::nth_element(rounds.begin(), rounds.begin() + kRounds / 2, rounds.end());
    return rounds[kRounds / 2];
}

}  // namespace

int main() {
    std::string error;
    standin::PluginLibrary* library = standin::LoadedForTheProcess(L"" AURIVEL_MODULE_PATH, &error);
    if (!library) {
        std::fprintf(stderr, "cannot load Aurivel.dlt: %s\n", error.c_str());
        return 1;
    }
    const aurivel::bench::NormalsAndViews set = aurivel::bench::RandomNormalsAndViews();
    Texmap* defaults = NewMap(library->Class(0), 0.0f, 0.0f, 1.0f);
    Texmap* adjusted = NewMap(library->Class(0), 10.0f, 5.0f, 2.2f);
    std::printf("default %.2f\n", NanosecondsPerSample(defaults, set));
    std::printf("adjusted %.2f\n", NanosecondsPerSample(adjusted, set));
    defaults->DeleteThis();
    adjusted->DeleteThis();
    return 0;
}
