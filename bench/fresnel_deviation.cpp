#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "exact_fresnel/exact_fresnel.h"
#include "presets/preset_table.h"
#include "shading/conductor_fresnel.h"

namespace aurivel::bench {
namespace {

constexpr int kCosineSteps = 10000;

struct Deviation {
    float difference = 0.0f;
    float cosine = 0.0f;
};

// The largest absolute difference between the exact reflectance and the
// map's closed form over evenly spaced cosines in [0, 1].
Deviation LargestDeviation(float n, float k) {
    Deviation largest;
    for (int i = 0; i <= kCosineSteps; ++i) {
        const float cosine = static_cast<float>(i) / kCosineSteps;
        const float difference =
            std::fabs(reference::ExactConductorReflectance(n, k, cosine) - ConductorReflectance(n, k, cosine));
        if (difference > largest.difference) {
            largest = {difference, cosine};
        }
    }
    return largest;
}

void PrintDeviationTable(std::FILE* out) {
    std::fprintf(out, "Largest |exact - closed form| reflectance over %d cosines in [0, 1]\n", kCosineSteps + 1);
    std::fprintf(out, "%-10s %-23s %-23s %s\n", "metal", "red", "green", "blue");
    for (const Preset& preset : kPresets) {
        const OpticalConstants& ior = preset.constants;
        const Deviation channels[] = {LargestDeviation(ior.nr, ior.kr), LargestDeviation(ior.ng, ior.kg),
                                      LargestDeviation(ior.nb, ior.kb)};
        std::fprintf(out, "%-10s", preset.name);
        for (const Deviation& d : channels) {
            std::fprintf(out, " %.6f at cos %.4f", static_cast<double>(d.difference), static_cast<double>(d.cosine));
        }
        std::fprintf(out, "\n");
    }
    std::fflush(out);
}

// Not a timing: prints the accuracy table once, where --benchmark_filter
// selects it, among the timings of the same binary.
void BM_FresnelDeviationTable(benchmark::State& state) {
    static bool printed = false;
    for (auto _ : state) {
        if (!printed) {
            PrintDeviationTable(stdout);
            printed = true;
        }
    }
}
BENCHMARK(BM_FresnelDeviationTable)->Iterations(1);

}  // namespace
}  // namespace aurivel::bench
