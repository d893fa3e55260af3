// The atlas of the whole library as the preview tool writes it (every page
// read, fitted in both spaces and painted, and its three files), timed by
// the wall clock: with one thread, and with one per core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "atlas/atlas.h"
#include "host/host.h"

namespace aurivel::bench {
namespace {

void LibraryAtlas(benchmark::State& state) {
    const preview::PreviewModule module = preview::PreviewModule::Open(AURIVEL_MODULE_PATH);
    preview::Options options;
    options.nkDb = AURIVEL_SOURCE_DIR "/data/refractiveindex.info";
    options.atlasFolder = (std::filesystem::temp_directory_path() / "aurivel-bench-atlas").string();
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::ostringstream report;
        preview::WriteAtlas(module, options, report, nullptr);
        benchmark::DoNotOptimize(report.str());
    }
    std::filesystem::remove_all(options.atlasFolder);
}

BENCHMARK(LibraryAtlas)->ArgName("threads")->Arg(1)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace aurivel::bench
