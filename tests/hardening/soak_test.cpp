// A long render: four threads evaluate one map for AURIVEL_SOAK_SAMPLES
// samples in all, with random unit normals and views, while the map is moved
// through time between the passes as a renderer does from frame to frame.
// No colour may be NaN or leave [0, 1], and every block of samples must hash
// to what the same map gives on one thread.
#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "module_fixture/module_fixture.h"
#include "module_fixture/random_samples.h"
#include "standin/shade_context.h"

namespace aurivel_test {
namespace {

constexpr uint64_t kTotalSamples = AURIVEL_SOAK_SAMPLES;
constexpr int kThreads = 4;
constexpr uint64_t kBlockSamples = 10000;
// Frames in render order. Keys at 160 and 320 change the values, so each of
// the first three frames renders different colours; the last returns to
// frame 0 and must render exactly what it did.
constexpr TimeValue kFrames[] = {0, 160, 320, 0};
constexpr int kPasses = sizeof kFrames / sizeof kFrames[0];
constexpr uint64_t kBlocksPerPass = kTotalSamples / kPasses / kBlockSamples;
static_assert(kTotalSamples % (kPasses * kBlockSamples) == 0, "whole blocks in every pass");
// One block in this many is rendered again on one thread; 7 is prime to
// the thread count, so every thread's blocks get checked.
constexpr uint64_t kCheckStride = 7;

struct BlockResult {
    uint64_t hash = 0;
    uint64_t badColours = 0;  // NaN, outside [0, 1], or alpha other than 1
};

bool InUnitRange(float channel) { return channel >= 0.0f && channel <= 1.0f; }

// FNV-1a over the colours' bits, in sample order.
uint64_t Mix(uint64_t hash, float channel) {
    return (hash ^ BitsOf(channel)) * 0x100000001B3ull;
}

// A block's samples come from the generator stream of its number: they are
// the same whichever thread renders the block, and in whichever pass.
BlockResult RenderBlock(Texmap* map, uint64_t block) {
    SplitMix64 rng(block);
    standin::SimpleShadeContext sc;
    BlockResult result{0xCBF29CE484222325ull, 0};
    for (uint64_t i = 0; i < kBlockSamples; ++i) {
        sc.normal = RandomUnitVector(rng);
        sc.view = RandomUnitVector(rng);
        const AColor c = map->EvalColor(sc);
        if (!InUnitRange(c.r) || !InUnitRange(c.g) || !InUnitRange(c.b) || c.a != 1.0f) ++result.badColours;
        result.hash = Mix(Mix(Mix(result.hash, c.r), c.g), c.b);
    }
    return result;
}

struct Pass {
    std::vector<uint64_t> hashes;  // per block
    uint64_t badColours = 0;
};

// Threads take blocks in turn; each block's hash has one writer.
Pass RenderOnThreads(Texmap* map) {
    Pass pass;
    pass.hashes.resize(kBlocksPerPass);
    std::vector<uint64_t> bad(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (uint64_t block = static_cast<uint64_t>(t); block < kBlocksPerPass; block += kThreads) {
                const BlockResult r = RenderBlock(map, block);
                pass.hashes[block] = r.hash;
                bad[static_cast<size_t>(t)] += r.badColours;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (uint64_t b : bad) pass.badColours += b;
    return pass;
}

// Gamma, hue and n of red step at 160; saturation and k of blue at 320.
void Animate(const MapHandle& map) {
    map.SetInt(pb_preset, 0);
    map.Set(pb_gamma, 2.2f);
    map.Set(pb_hue, 10.0f);
    map.Set(pb_sat, -15.0f);
    AnimateOn();
    map.Set(pb_gamma, 0.7f, 160);
    map.Set(pb_hue, -40.0f, 160);
    map.Set(pb_nr, 1.9f, 160);
    map.Set(pb_sat, 60.0f, 320);
    map.Set(pb_kb, 0.4f, 320);
    AnimateOff();
}

TEST(Soak, FourThreadsRenderWhatOneThreadRendersFrameAfterFrame) {
    MapHandle map;
    Animate(map);

    std::vector<Pass> passes;
    for (TimeValue frame : kFrames) {
        Interval valid = FOREVER;
        map->Update(frame, valid);
        passes.push_back(RenderOnThreads(map.get()));
        const Pass& pass = passes.back();
        EXPECT_EQ(pass.badColours, 0u) << "frame " << frame;
        for (uint64_t block = 0; block < kBlocksPerPass; block += kCheckStride)
            ASSERT_EQ(pass.hashes[block], RenderBlock(map.get(), block).hash)
                << "frame " << frame << ", block " << block;
    }
    const std::set<uint64_t> distinct(passes[0].hashes.begin(), passes[0].hashes.end());
    EXPECT_EQ(distinct.size(), passes[0].hashes.size()) << "blocks repeat each other's samples";
    // Each frame change reached the renderer; the return to frame 0 brought
    // back its colours exactly.
    EXPECT_NE(passes[0].hashes, passes[1].hashes);
    EXPECT_NE(passes[1].hashes, passes[2].hashes);
    EXPECT_NE(passes[0].hashes, passes[2].hashes);
    EXPECT_EQ(passes[3].hashes, passes[0].hashes);
    RecordProperty("samples", std::to_string(kPasses * kBlocksPerPass * kBlockSamples));
}

}  // namespace
}  // namespace aurivel_test
