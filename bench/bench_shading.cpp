#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "exact_fresnel/exact_fresnel.h"
#include "presets/preset_table.h"
#include "shading/color_adjust.h"
#include "shading/conductor_fresnel.h"
#include "shading/shade_sample.h"

namespace aurivel::bench {
namespace {

// A power of two, so the next input is one mask away; large enough that
// the branch predictor cannot learn the sequence, small enough for L1/L2.
constexpr std::size_t kInputCount = 4096;
constexpr std::size_t kInputMask = kInputCount - 1;

struct SampleInputs {
    std::vector<float> cosines;
    std::vector<OpticalConstants> iors;
    std::vector<Rgba> colours;
    std::vector<Vec3> normals;
    std::vector<Vec3> views;
};

Vec3 RandomUnitVector(std::mt19937& engine) {
    std::normal_distribution<float> axis(0.0f, 1.0f);
    const Vec3 v{axis(engine), axis(engine), axis(engine)};
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return Vec3{v.x / length, v.y / length, v.z / length};
}

SampleInputs MakeSampleInputs() {
    std::mt19937 engine(0xbe7c4u);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    SampleInputs in;
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const float cosine = unit(engine);
        in.cosines.push_back(cosine);
        in.iors.push_back(kPresetRows[engine() % kPresetRows.size()]);
        in.colours.push_back(ConductorReflectanceRGB(cosine, in.iors.back()));
        in.normals.push_back(RandomUnitVector(engine));
        in.views.push_back(RandomUnitVector(engine));
    }
    return in;
}

const SampleInputs& Inputs() {
    static const SampleInputs inputs = MakeSampleInputs();
    return inputs;
}

void BM_ConductorReflectanceRGB(benchmark::State& state) {
    const SampleInputs& in = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        Rgba c = ConductorReflectanceRGB(in.cosines[i], in.iors[i]);
        benchmark::DoNotOptimize(c);
        i = (i + 1) & kInputMask;
    }
}
BENCHMARK(BM_ConductorReflectanceRGB);

void BM_ExactConductorReflectanceRGB(benchmark::State& state) {
    const SampleInputs& in = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        Rgba c = reference::ExactConductorReflectanceRGB(in.cosines[i], in.iors[i]);
        benchmark::DoNotOptimize(c);
        i = (i + 1) & kInputMask;
    }
}
BENCHMARK(BM_ExactConductorReflectanceRGB);

void BM_AdjustColor(benchmark::State& state, float hueShift, float satShift, float gamma) {
    const SampleInputs& in = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        const Rgba& rgb = in.colours[i];
        Rgba c = AdjustColor(rgb.r, rgb.g, rgb.b, hueShift, satShift, gamma);
        benchmark::DoNotOptimize(c);
        i = (i + 1) & kInputMask;
    }
}
BENCHMARK_CAPTURE(BM_AdjustColor, neutral, 0.0f, 0.0f, 1.0f);
BENCHMARK_CAPTURE(BM_AdjustColor, hue10_sat5_gamma2_2, 10.0f, 5.0f, 2.2f);

void BM_ShadeSample(benchmark::State& state, float hueShift, float satShift, float gamma) {
    const SampleInputs& in = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        Rgba c = ShadeSample(in.normals[i], in.views[i], in.iors[i], hueShift, satShift, gamma);
        benchmark::DoNotOptimize(c);
        i = (i + 1) & kInputMask;
    }
}
BENCHMARK_CAPTURE(BM_ShadeSample, neutral, 0.0f, 0.0f, 1.0f);
BENCHMARK_CAPTURE(BM_ShadeSample, hue10_sat5_gamma2_2, 10.0f, 5.0f, 2.2f);

}  // namespace
}  // namespace aurivel::bench
