#include <benchmark/benchmark.h>

#include <string>

#include "metal_colour/fit.h"
#include "nkdata/nk_file.h"

namespace aurivel::bench {
namespace {

using metal_colour::RenderingSpaceId;

// One fit of the six constants to a measured metal, from the integrated
// colour to the values the map takes; reading the file and the observer's
// tables is not counted.
void SpectralFit(benchmark::State& state, const char* page, RenderingSpaceId id) {
    const nkdata::NkData data =
        nkdata::ReadNkYamlFile(std::string(AURIVEL_SOURCE_DIR "/data/refractiveindex.info/database/data/main/") + page);
    const metal_colour::Observer observer = metal_colour::Observer::Cie1931D65();
    const metal_colour::SpectralColour truth(metal_colour::MetalSpectrum(data), observer,
                                         metal_colour::RenderingSpace(id, observer.White()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(metal_colour::FitConstants(truth));
    }
}

BENCHMARK_CAPTURE(SpectralFit, copper_srgb, "Cu/nk/Johnson.yml", RenderingSpaceId::kSrgb)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SpectralFit, gold_srgb, "Au/nk/Johnson.yml", RenderingSpaceId::kSrgb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SpectralFit, gold_acescg, "Au/nk/Johnson.yml", RenderingSpaceId::kAcescg)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace aurivel::bench
