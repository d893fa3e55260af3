// The same colours on every platform: a fixed set of samples through the
// loaded module's EvalColor, written to a file by one build and compared bit
// for bit by another (the Windows module under Wine against the Linux one).
//   eval_bits_test --write FILE     evaluates the set and writes inputs and colours
//   eval_bits_test --compare FILE   evaluates the set and compares with FILE
// The set: every preset, random constants for Custom, random hue and
// saturation (and none), gamma 1, 2.2 and random gammas, with random unit
// normals and views, from a generator that is the same everywhere.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "module_fixture/module_fixture.h"
#include "module_fixture/random_samples.h"
#include "presets/preset_table.h"
#include "standin/shade_context.h"

namespace aurivel_test {
namespace {

constexpr uint32_t kMaps = 1024;
constexpr uint32_t kSamplesPerMap = 1024;
constexpr uint32_t kPresetValues = aurivel::kPresets.size() + 1;  // Custom and each row

// The gammas of the set, map after map; 0 stands for a random gamma in range.
constexpr float kGammas[] = {1.0f, 2.2f, 0.0f};
constexpr int kGammaKinds = sizeof kGammas / sizeof kGammas[0];

// The file is a sequence of 32-bit little-endian words: for each map its
// preset, six constants, gamma, hue and saturation, then for each sample its
// normal, view and colour.
constexpr size_t kMapWords = 1 + 9;
constexpr size_t kSampleWords = 3 + 3 + 4;
constexpr size_t kWordsPerMap = kMapWords + kSamplesPerMap * kSampleWords;

struct Options {
    bool write = false;
    std::string path;
};
Options gOptions;

float InRange(SplitMix64& rng, float low, float high) { return low + (high - low) * rng.Unit(); }

// Custom constants cover the whole range, denser towards the small values
// that real metals have.
float RandomConstant(SplitMix64& rng) {
    const float u = rng.Unit();
    return 100.0f * (u * u * u);
}

// Map m: preset m mod kPresetValues, gamma kind m mod 3, no hue or
// saturation change for every fourth map, all else random from the stream
// of m.
void SetUpMap(const MapHandle& map, uint32_t m, SplitMix64& rng) {
    map.SetInt(pb_preset, static_cast<int>(m % kPresetValues));
    if (m % kPresetValues == kCustom)
        for (ParamID id : kOpticalConstantIDs) map.Set(id, RandomConstant(rng));
    const float gamma = kGammas[m % kGammaKinds];
    map.Set(pb_gamma, gamma != 0.0f ? gamma : InRange(rng, 0.05f, 20.0f));
    const bool adjusted = m % 4 != 0;
    map.Set(pb_hue, adjusted ? InRange(rng, -180.0f, 180.0f) : 0.0f);
    map.Set(pb_sat, adjusted ? InRange(rng, -100.0f, 100.0f) : 0.0f);
    Interval valid = FOREVER;
    map->Update(0, valid);
}

void Append(std::vector<uint32_t>& words, const Point3& p) {
    words.insert(words.end(), {BitsOf(p.x), BitsOf(p.y), BitsOf(p.z)});
}

std::vector<uint32_t> EvaluateTheSampleSet() {
    std::vector<uint32_t> words;
    words.reserve(kMaps * kWordsPerMap);
    for (uint32_t m = 0; m < kMaps; ++m) {
        SplitMix64 rng(m);
        MapHandle map;
        SetUpMap(map, m, rng);
        words.push_back(static_cast<uint32_t>(map.Block()->GetInt(pb_preset, 0)));
        for (float constant : map.Constants()) words.push_back(BitsOf(constant));
        for (ParamID id : {pb_gamma, pb_hue, pb_sat}) words.push_back(BitsOf(map.Float(id)));
        standin::SimpleShadeContext sc;
        for (uint32_t s = 0; s < kSamplesPerMap; ++s) {
            sc.normal = RandomUnitVector(rng);
            sc.view = RandomUnitVector(rng);
            const AColor c = map->EvalColor(sc);
            Append(words, sc.normal);
            Append(words, sc.view);
            words.insert(words.end(), {BitsOf(c.r), BitsOf(c.g), BitsOf(c.b), BitsOf(c.a)});
        }
    }
    return words;
}

// Through the C library's files, which every build's runtime has.
bool WriteWords(const std::string& path, const std::vector<uint32_t>& words) {
    std::vector<unsigned char> bytes;
    bytes.reserve(words.size() * 4);
    for (uint32_t w : words)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(w >> shift));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool ReadWords(const std::string& path, std::vector<uint32_t>& words) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<unsigned char> bytes;
    unsigned char block[1 << 16];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    if (!read || bytes.size() % 4 != 0) return false;
    words.clear();
    for (size_t i = 0; i < bytes.size(); i += 4)
        words.push_back(uint32_t{bytes[i]} | uint32_t{bytes[i + 1]} << 8 | uint32_t{bytes[i + 2]} << 16 |
                        uint32_t{bytes[i + 3]} << 24);
    return true;
}

// "0.5 (3f000000), ..." for `count` floats from `words`.
std::string Floats(const uint32_t* words, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char item[48];
        std::snprintf(item, sizeof item, "%s%.9g (%08" PRIx32 ")", i ? ", " : "", aurivel::FloatFromBits(words[i]), words[i]);
        text += item;
    }
    return text;
}

// The sample that holds word `at` of the set, with its map and inputs as this
// build made them, and its colour here and in the reference.
std::string DescribeSample(const std::vector<uint32_t>& ours, const std::vector<uint32_t>& reference, size_t at) {
    const size_t m = at / kWordsPerMap;
    const uint32_t* map = &ours[m * kWordsPerMap];
    std::string text = "map " + std::to_string(m) + ": preset " + std::to_string(map[0]) + ", n and k " +
                       Floats(map + 1, 6) + ", gamma " + Floats(map + 7, 1) + ", hue " + Floats(map + 8, 1) +
                       ", saturation " + Floats(map + 9, 1) + "\n";
    const size_t offset = at % kWordsPerMap;
    if (offset < kMapWords) return text + "the map's values differ from the reference's: " + Floats(&reference[at], 1);
    const size_t s = (offset - kMapWords) / kSampleWords;
    const size_t first = m * kWordsPerMap + kMapWords + s * kSampleWords;
    text += "sample " + std::to_string(s) + " of the map: normal " + Floats(&ours[first], 3) + ", view " +
            Floats(&ours[first + 3], 3) + "\n";
    if ((offset - kMapWords) % kSampleWords < 6)
        return text + "the reference's inputs differ: normal " + Floats(&reference[first], 3) + ", view " +
               Floats(&reference[first + 3], 3);
    return text + "colour of this module: " + Floats(&ours[first + 6], 4) +
           "\ncolour of the reference: " + Floats(&reference[first + 6], 4);
}

std::string GammaKind(int kind) {
    if (kGammas[kind] == 0.0f) return "random gammas";
    char text[32];
    std::snprintf(text, sizeof text, "gamma %g", kGammas[kind]);
    return text;
}

// How many samples differ, by kind of gamma.
std::string CountDifferences(const std::vector<uint32_t>& ours, const std::vector<uint32_t>& reference) {
    uint64_t differing[kGammaKinds] = {};
    uint64_t samples[kGammaKinds] = {};
    for (size_t m = 0; m < kMaps; ++m)
        for (size_t s = 0; s < kSamplesPerMap; ++s) {
            const size_t first = m * kWordsPerMap + kMapWords + s * kSampleWords;
            const bool same = std::equal(&ours[first], &ours[first + kSampleWords], &reference[first]);
            differing[m % kGammaKinds] += same ? 0 : 1;
            ++samples[m % kGammaKinds];
        }
    std::string text = "differing samples";
    for (int kind = 0; kind < kGammaKinds; ++kind)
        text += (kind ? "; at " : ": at ") + GammaKind(kind) + " " + std::to_string(differing[kind]) + " of " +
                std::to_string(samples[kind]);
    return text;
}

TEST(EvalBits, MatchTheReferenceOverTheFixedSampleSet) {
    const std::vector<uint32_t> ours = EvaluateTheSampleSet();
    if (gOptions.write) {
        ASSERT_TRUE(WriteWords(gOptions.path, ours)) << "cannot write " << gOptions.path;
        return;
    }
    std::vector<uint32_t> reference;
    ASSERT_TRUE(ReadWords(gOptions.path, reference)) << "cannot read the reference results " << gOptions.path;
    ASSERT_EQ(reference.size(), ours.size()) << gOptions.path << " holds another sample set";
    const auto firstDifference = std::mismatch(ours.begin(), ours.end(), reference.begin()).first;
    if (firstDifference == ours.end()) return;
    ADD_FAILURE() << "the first difference:\n"
                  << DescribeSample(ours, reference, static_cast<size_t>(firstDifference - ours.begin())) << "\n"
                  << CountDifferences(ours, reference);
}

}  // namespace
}  // namespace aurivel_test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "--write" && mode != "--compare") {
        std::fprintf(stderr, "usage: %s [gtest options] --write|--compare FILE\n", argv[0]);
        return 2;
    }
    aurivel_test::gOptions = {mode == "--write", argv[2]};
    return RUN_ALL_TESTS();
}
