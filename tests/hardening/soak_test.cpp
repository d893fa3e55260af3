// A long render: four threads evaluate one map for AURIVEL_SOAK_SAMPLES
// samples in all, with random unit normals and views, while the map is moved
// through time between the passes as a renderer does from frame to frame.
// No colour may be NaN or leave [0, 1], and every block of samples must hash
// to what the same map gives on one thread.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "module_fixture.h"
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

// SplitMix64. Each block starts at a scrambled point of the generator's
// cycle, so the samples of a block depend on the block's number alone,
// whichever thread renders it and in whichever pass, and blocks do not
// repeat each other's samples.
class SplitMix64 {
public:
    explicit SplitMix64(uint64_t stream) : state_(Scramble(stream)) {}
    uint64_t Next() { return Scramble(state_ += 0x9E3779B97F4A7C15ull); }
    // Uniform in [-1, 1), from 24 random bits.
    float Signed() { return static_cast<float>(Next() >> 40) * (2.0f / 16777216.0f) - 1.0f; }

private:
    static uint64_t Scramble(uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

// Uniform on the sphere: a point in the unit ball, pushed out to its surface.
Point3 RandomUnitVector(SplitMix64& rng) {
    for (;;) {
        const float x = rng.Signed(), y = rng.Signed(), z = rng.Signed();
        const float lengthSquared = x * x + y * y + z * z;
        if (lengthSquared <= 1.0f && lengthSquared > 1e-4f) {
            const float inverse = 1.0f / std::sqrt(lengthSquared);
            return Point3(x * inverse, y * inverse, z * inverse);
        }
    }
}

struct BlockResult {
    uint64_t hash = 0;
    uint64_t badColours = 0;  // NaN, outside [0, 1], or alpha other than 1
};

bool InUnitRange(float channel) { return channel >= 0.0f && channel <= 1.0f; }

// FNV-1a over the colours' bits, in sample order.
uint64_t Mix(uint64_t hash, float channel) {
    uint32_t bits;
    std::memcpy(&bits, &channel, sizeof bits);
    return (hash ^ bits) * 0x100000001B3ull;
}

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
