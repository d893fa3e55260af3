// What one shading sample costs the renderer: EvalColor through the loaded
// module, next to the bare sample function and the exact Fresnel that the
// closed form stands in for, and what Update costs with and without a
// cache hit. Eval/ratios measures them all in interleaved rounds, so that
// load from other processes falls on each alike, and reports the ratios.
// Two builds of the module made for the benchmarks alone raise to gamma
// with the C library's powf and with LLVM's correctly rounded powf instead
// of the map's own power; their adjusted EvalColor is measured beside it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "exact_fresnel/exact_fresnel.h"
#include "imtl.h"
#include "iparamb2.h"
#include "map/AurivelParams.h"
#include "max.h"
#include "presets/preset_table.h"
#include "sample_views.h"
#include "shading/shade_sample.h"
#include "standin/plugin_library.h"
#include "standin/shade_context.h"

namespace aurivel::bench {
namespace {

// Rounds of Eval/ratios: odd, for a plain median.
constexpr int kRatioRounds = 301;

// Fixed-length runs for counting instructions under callgrind.
constexpr benchmark::IterationCount kCountedSamples = 1 << 16;

struct Adjustments {
    float hue, sat, gamma;
};

// The two parameter sets measured: the map's defaults, and a hue, saturation
// and gamma change, which takes every branch of the power.
enum class Setting { kDefault, kAdjusted };

const Adjustments& AdjustmentsOf(Setting setting) {
    static constexpr Adjustments kDefaults{0.0f, 0.0f, 1.0f};
    static constexpr Adjustments kAdjusted{10.0f, 5.0f, 2.2f};
    return setting == Setting::kDefault ? kDefaults : kAdjusted;
}

// The map's default constants.
constexpr OpticalConstants kCopper = kPresetRows[5];

constexpr TimeValue kKeyTime = 4800;

// The same unit vectors as the host hands them to the map (Point3) and as
// a host-free caller holds them (Vec3), and their |N . V|.
struct Views {
    std::vector<Point3> normals, views;
    std::vector<Vec3> normalVecs, viewVecs;
    std::vector<float> cosines;
};

Vec3 AsVec3(const Point3& p) { return Vec3{p.x, p.y, p.z}; }

const Views& SampleViews() {
    static const Views views = [] {
        const NormalsAndViews set = RandomNormalsAndViews();
        Views v{set.normals, set.views, {}, {}, {}};
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            v.normalVecs.push_back(AsVec3(v.normals[i]));
            v.viewVecs.push_back(AsVec3(v.views[i]));
            v.cosines.push_back(AbsCosine(v.normalVecs.back(), v.viewVecs.back()));
        }
        return v;
    }();
    return views;
}

standin::PluginLibrary* Module() {
    std::string error;
    standin::PluginLibrary* library = standin::LoadedForTheProcess(L"" AURIVEL_MODULE_PATH, &error);
    if (!library) {
        std::fprintf(stderr, "cannot load Aurivel.dlt: %s\n", error.c_str());
    }
    return library;
}

// The power that a build of the module raises to gamma with.
enum class Power { kOwn, kGlibc, kLlvm };

// A benchmark build of the module, loaded beside the real one. The host's
// class directory lists a class once, so it is not listed there; only its
// class descriptor is used.
template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

ClassDesc2* PeerClass(const wchar_t* path) {
    HMODULE module = LoadLibraryW(path);
    if (module == nullptr) {
        return nullptr;
    }
    const auto initialise = Export<int (*)()>(module, "LibInitialize");
    const auto classDesc = Export<ClassDesc* (*)(int)>(module, "LibClassDesc");
    if (initialise == nullptr || classDesc == nullptr || !initialise()) {
        return nullptr;
    }
    return static_cast<ClassDesc2*>(classDesc(0));
}

ClassDesc2* ClassOf(Power power) {
    static ClassDesc2* const glibc = PeerClass(L"" AURIVEL_GLIBC_POWF_MODULE_PATH);
    static ClassDesc2* const llvm = PeerClass(L"" AURIVEL_LLVM_POWF_MODULE_PATH);
    switch (power) {
        case Power::kGlibc:
            return glibc;
        case Power::kLlvm:
            return llvm;
        default:
            return static_cast<ClassDesc2*>(Module()->Class(0));
    }
}

struct MapDeleter {
    void operator()(Texmap* map) const { map->DeleteThis(); }
};
using MapPtr = std::unique_ptr<Texmap, MapDeleter>;

// A fresh map with the given adjustments, its cache filled for time 0;
// with gammaKey, gamma is animated and changes at kKeyTime.
MapPtr MakeMap(const Adjustments& a, bool gammaKey, Power power = Power::kOwn) {
    ClassDesc2* desc = ClassOf(power);
    MapPtr map(static_cast<Texmap*>(static_cast<ReferenceTarget*>(desc->Create(FALSE))));
    IParamBlock2* block = map->GetParamBlock(0);
    block->SetValue(pb_hue, 0, a.hue);
    block->SetValue(pb_sat, 0, a.sat);
    block->SetValue(pb_gamma, 0, a.gamma);
    if (gammaKey) {
        AnimateOn();
        block->SetValue(pb_gamma, kKeyTime, a.gamma + 1.0f);
        AnimateOff();
    }
    Interval valid = FOREVER;
    map->Update(0, valid);
    return map;
}

// One map per setting, made before any thread evaluates it; they live as
// long as the module, which they need.
Texmap* SharedMap(Setting setting, Power power = Power::kOwn) {
    static const MapPtr defaults = MakeMap(AdjustmentsOf(Setting::kDefault), false);
    static const MapPtr adjusted = MakeMap(AdjustmentsOf(Setting::kAdjusted), false);
    static const MapPtr adjustedGlibc = MakeMap(AdjustmentsOf(Setting::kAdjusted), false, Power::kGlibc);
    static const MapPtr adjustedLlvm = MakeMap(AdjustmentsOf(Setting::kAdjusted), false, Power::kLlvm);
    if (setting == Setting::kDefault) {
        return defaults.get();
    }
    switch (power) {
        case Power::kGlibc:
            return adjustedGlibc.get();
        case Power::kLlvm:
            return adjustedLlvm.get();
        default:
            return adjusted.get();
    }
}

// Each case evaluates sample i and keeps its result from being optimised
// away.
struct ExactFresnel {
    void operator()(std::size_t i) const {
        Rgba c = reference::ExactConductorReflectanceRGB(views.cosines[i], kCopper);
        benchmark::DoNotOptimize(c);
    }
    const Views& views = SampleViews();
};

struct BareSample {
    explicit BareSample(Setting setting) : a(AdjustmentsOf(setting)) {}
    void operator()(std::size_t i) const {
        Rgba c = ShadeSample(views.normalVecs[i], views.viewVecs[i], kCopper, a.hue, a.sat, a.gamma);
        benchmark::DoNotOptimize(c);
    }
    Adjustments a;
    const Views& views = SampleViews();
};

struct MapEval {
    explicit MapEval(Setting setting, Power power = Power::kOwn) : map(SharedMap(setting, power)) {}
    void operator()(std::size_t i) {
        sc.normal = views.normals[i];
        sc.view = views.views[i];
        AColor c = map->EvalColor(sc);
        benchmark::DoNotOptimize(c);
    }
    Texmap* map;
    standin::SimpleShadeContext sc;
    const Views& views = SampleViews();
};

// Update inside the cache's interval, or alternating between two times on
// either side of a gamma key, so that every call reads the nine values.
struct MapUpdate {
    explicit MapUpdate(bool crossKey)
        : map(MakeMap(AdjustmentsOf(Setting::kDefault), true)), times{0, crossKey ? kKeyTime : 0} {}
    void operator()(std::size_t i) {
        Interval valid = FOREVER;
        map->Update(times[i & 1], valid);
        benchmark::DoNotOptimize(valid);
    }
    MapPtr map;
    TimeValue times[2];
};

// The map must shade exactly as the bare sample function does, or the
// ratio between them compares different work.
bool MapMatchesBareSample(Setting setting) {
    const Adjustments& a = AdjustmentsOf(setting);
    MapEval map(setting);
    const Views& views = SampleViews();
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        map.sc.normal = views.normals[i];
        map.sc.view = views.views[i];
        const AColor got = map.map->EvalColor(map.sc);
        const Rgba want = ShadeSample(views.normalVecs[i], views.viewVecs[i], kCopper, a.hue, a.sat, a.gamma);
        if (std::memcmp(&got, &want, sizeof want) != 0) {
            return false;
        }
    }
    return true;
}

// The peer builds must compute the same colours up to their power: at
// most one unit in the last place per channel from the map's own.
bool PeerMatchesMap(Power power) {
    MapEval own(Setting::kAdjusted), peer(Setting::kAdjusted, power);
    const Views& views = SampleViews();
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        own.sc.normal = peer.sc.normal = views.normals[i];
        own.sc.view = peer.sc.view = views.views[i];
        const AColor a = own.map->EvalColor(own.sc);
        const AColor b = peer.map->EvalColor(peer.sc);
        for (const auto& [x, y] : {std::pair{a.r, b.r}, std::pair{a.g, b.g}, std::pair{a.b, b.b}}) {
            if (std::fabs(x - y) > std::fabs(x) * 0x1p-23f) {
                return false;
            }
        }
    }
    return true;
}

bool ModuleReady(benchmark::State& state) {
    if (Module() == nullptr || ClassOf(Power::kGlibc) == nullptr || ClassOf(Power::kLlvm) == nullptr) {
        state.SkipWithError("Aurivel.dlt or one of its benchmark builds did not load");
        return false;
    }
    if (!MapMatchesBareSample(Setting::kDefault) || !MapMatchesBareSample(Setting::kAdjusted)) {
        state.SkipWithError("the map's EvalColor differs from ShadeSample");
        return false;
    }
    if (!PeerMatchesMap(Power::kGlibc) || !PeerMatchesMap(Power::kLlvm)) {
        state.SkipWithError("a benchmark build's EvalColor differs from the map's by more than its power");
        return false;
    }
    return true;
}

template <class Case, class... Args>
void PerSample(benchmark::State& state, Args... args) {
    if (!ModuleReady(state)) {
        return;
    }
    Case evaluate(args...);
    std::size_t i = 0;
    for (auto _ : state) {
        evaluate(i);
        i = (i + 1) & kSampleMask;
    }
    state.SetItemsProcessed(state.iterations());
}

// Median nanoseconds per call of each case over interleaved rounds of one
// pass over the samples each.
template <std::size_t N>
class InterleavedTimer {
public:
    template <class... Cases>
    void Round(Cases&... cases) {
        std::size_t slot = 0;
        (Time(slot++, cases), ...);
    }

    double Median(std::size_t slot) {
        std::vector<double>& v = nanoseconds_[slot];
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    }

private:
    template <class Case>
    void Time(std::size_t slot, Case& evaluate) {
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            evaluate(i);
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        nanoseconds_[slot].push_back(elapsed.count() / kSampleCount);
    }

    std::array<std::vector<double>, N> nanoseconds_;
};

void Ratios(benchmark::State& state) {
    if (!ModuleReady(state)) {
        return;
    }
    ExactFresnel exact;
    BareSample bareDefault(Setting::kDefault), bareAdjusted(Setting::kAdjusted);
    MapEval mapDefault(Setting::kDefault), mapAdjusted(Setting::kAdjusted);
    MapEval mapGlibc(Setting::kAdjusted, Power::kGlibc), mapLlvm(Setting::kAdjusted, Power::kLlvm);
    MapUpdate updateInside(false), updateOutside(true);
    InterleavedTimer<9> timer;
    for (auto _ : state) {
        for (int round = 0; round < kRatioRounds; ++round) {
            timer.Round(exact, bareDefault, bareAdjusted, mapDefault, mapAdjusted, updateInside, updateOutside,
                        mapGlibc, mapLlvm);
        }
    }
    const double exactNs = timer.Median(0);
    state.counters["map_default/exact"] = timer.Median(3) / exactNs;
    state.counters["map_adjusted/exact"] = timer.Median(4) / exactNs;
    state.counters["map_default/bare"] = timer.Median(3) / timer.Median(1);
    state.counters["map_adjusted/bare"] = timer.Median(4) / timer.Median(2);
    state.counters["update_hit/miss"] = timer.Median(5) / timer.Median(6);
    state.counters["map_adjusted/glibc_powf"] = timer.Median(4) / timer.Median(7);
    state.counters["map_adjusted/llvm_powf"] = timer.Median(4) / timer.Median(8);
}

void MapEvalThreads(benchmark::State& state) {
    static const bool ready = Module() != nullptr && MapMatchesBareSample(Setting::kDefault);
    if (!ready) {
        state.SkipWithError("the map is not ready");
        return;
    }
    MapEval evaluate(Setting::kDefault);
    std::size_t i = static_cast<std::size_t>(state.thread_index()) * (kSampleCount / 2);
    for (auto _ : state) {
        evaluate(i);
        i = (i + 1) & kSampleMask;
    }
    state.SetItemsProcessed(state.iterations());
}

[[maybe_unused]] const bool kRegistered = [] {
    benchmark::RegisterBenchmark("Eval/exact_fresnel_rgb", PerSample<ExactFresnel>);
    benchmark::RegisterBenchmark("Eval/bare_sample/default", PerSample<BareSample, Setting>, Setting::kDefault);
    benchmark::RegisterBenchmark("Eval/bare_sample/adjusted", PerSample<BareSample, Setting>, Setting::kAdjusted);
    benchmark::RegisterBenchmark("Eval/map/default", PerSample<MapEval, Setting>, Setting::kDefault);
    benchmark::RegisterBenchmark("Eval/map/adjusted", PerSample<MapEval, Setting>, Setting::kAdjusted);
    benchmark::RegisterBenchmark("Eval/map/adjusted_glibc_powf", PerSample<MapEval, Setting, Power>, Setting::kAdjusted,
                                 Power::kGlibc);
    benchmark::RegisterBenchmark("Eval/map/adjusted_llvm_powf", PerSample<MapEval, Setting, Power>, Setting::kAdjusted,
                                 Power::kLlvm);
    benchmark::RegisterBenchmark("Eval/update/cache_hit", PerSample<MapUpdate, bool>, false);
    benchmark::RegisterBenchmark("Eval/update/cache_miss", PerSample<MapUpdate, bool>, true);
    benchmark::RegisterBenchmark("Eval/map_threads", MapEvalThreads)->Threads(1)->Threads(2)->UseRealTime();
    benchmark::RegisterBenchmark("Eval/ratios", Ratios)->Iterations(1)->Unit(benchmark::kMillisecond);
    // Twice as many samples in the second run: the difference of the two
    // counts is free of the set-up.
    for (const benchmark::IterationCount samples : {kCountedSamples, 2 * kCountedSamples}) {
        benchmark::RegisterBenchmark("Eval/counted/map/default", PerSample<MapEval, Setting>, Setting::kDefault)
            ->Iterations(samples);
        benchmark::RegisterBenchmark("Eval/counted/map/adjusted", PerSample<MapEval, Setting>, Setting::kAdjusted)
            ->Iterations(samples);
        benchmark::RegisterBenchmark("Eval/counted/map/adjusted_glibc_powf", PerSample<MapEval, Setting, Power>,
                                     Setting::kAdjusted, Power::kGlibc)
            ->Iterations(samples);
    }
    return true;
}();

}  // namespace
}  // namespace aurivel::bench
