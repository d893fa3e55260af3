// The map's evaluation as the renderer sees it: through EvalColor, EvalMono
// and EvalNormalPerturb, with the G-buffer id and the output filter.
#include <array>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "module_fixture/module_fixture.h"
#include "standin/shade_context.h"

namespace aurivel_test {
namespace {

struct Color3 {
    float r, g, b;
};

AColor Eval(Texmap* map, const Point3& n, const Point3& v) {
    standin::SimpleShadeContext sc(n, v);
    return map->EvalColor(sc);
}

void ExpectColor(const AColor& c, const Color3& want, const char* what) {
    EXPECT_EQ(c.r, want.r) << what;
    EXPECT_EQ(c.g, want.g) << what;
    EXPECT_EQ(c.b, want.b) << what;
    EXPECT_EQ(c.a, 1.0f) << what;
}

// The sample's view at a cosine mu against the normal (0, 0, 1).
Point3 ViewAt(float mu) { return Point3(0.0f, std::sqrt(1.0f - mu * mu), -mu); }

void SetConstants(const MapHandle& map, const std::array<float, 6>& constants) {
    map.SetInt(pb_preset, kCustom);
    for (size_t i = 0; i < constants.size(); ++i) map.Set(kOpticalConstantIDs[i], constants[i]);
}

void Refresh(const MapHandle& map, TimeValue t = 0) {
    Interval valid = FOREVER;
    map->Update(t, valid);
}

TEST(MapEval, DefaultMapAtThreeAngles) {
    MapHandle map;
    Refresh(map);
    const Point3 n(0.0f, 0.0f, 1.0f);
    ExpectColor(Eval(map.get(), n, Point3(0.0f, 0.0f, -1.0f)), {0.92595214f, 0.58900940f, 0.52098233f}, "head-on");
    ExpectColor(Eval(map.get(), n, Point3(0.0f, std::sqrt(0.75f), -0.5f)), {0.92047644f, 0.60414475f, 0.53937721f},
                "mu 0.5");
    ExpectColor(Eval(map.get(), n, Point3(0.0f, 1.0f, 0.0f)), {1.0f, 1.0f, 1.0f}, "grazing");
}

TEST(MapEval, CustomConstantsAndAdjustments) {
    MapHandle map;
    SetConstants(map, {0.2f, 0.5f, 1.5f, 3.0f, 2.5f, 2.0f});
    Refresh(map);
    const Point3 view(0.0f, 0.6f, -0.8f);
    for (float z : {1.0f, -1.0f})
        ExpectColor(Eval(map.get(), Point3(0.0f, 0.0f, z), view), {0.92296511f, 0.76501608f, 0.41733330f}, "neutral");

    map.Set(pb_hue, -30.0f);
    map.Set(pb_sat, -20.0f);
    map.Set(pb_gamma, 1.5f);
    Refresh(map);
    const AColor c = Eval(map.get(), Point3(0.0f, 0.0f, 1.0f), view);
    EXPECT_NEAR(c.r, 0.79335f, 1e-5f);
    EXPECT_NEAR(c.g, 0.41170f, 1e-5f);
    EXPECT_NEAR(c.b, 0.33599f, 1e-5f);
    EXPECT_EQ(c.a, 1.0f);
}

TEST(MapEval, MonoIsTheMeanOfTheFilteredColour) {
    MapHandle map;
    Refresh(map);
    for (float mu : {1.0f, 0.7f, 0.3f}) {
        standin::SimpleShadeContext sc(Point3(0.0f, 0.0f, 1.0f), ViewAt(mu));
        const AColor c = map->EvalColor(sc);
        EXPECT_EQ(map->EvalMono(sc), ((c.g + c.r) + c.b) / 3.0f);
    }
}

TEST(MapEval, NormalPerturbIsAlwaysZero) {
    MapHandle map;
    map.Set(pb_hue, 90.0f);
    map.Set(pb_gamma, 3.0f);
    Refresh(map);
    standin::SimpleShadeContext sc(Point3(0.3f, 0.4f, 0.866f), ViewAt(0.4f));
    const Point3 p = map->EvalNormalPerturb(sc);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.z, 0.0f);
}

TEST(MapEval, GBufferIdIsHandedOverOnlyWhenSet) {
    MapHandle map;
    Refresh(map);
    standin::SimpleShadeContext sc;
    map->EvalColor(sc);
    map->EvalMono(sc);
    map->EvalNormalPerturb(sc);
    EXPECT_EQ(sc.gbufferIDCalls, 0);

    map->gbufID = 5;
    map->EvalColor(sc);
    EXPECT_EQ(sc.gbufferIDCalls, 1);
    map->EvalMono(sc);
    EXPECT_EQ(sc.gbufferIDCalls, 3) << "EvalMono sets it and then evaluates the colour";
    map->EvalNormalPerturb(sc);
    EXPECT_EQ(sc.gbufferIDCalls, 4);
    EXPECT_EQ(sc.lastGBufferID, 5);
}

// An output object that halves and tints, to show the filter's result is
// what EvalColor returns.
class TintingOutput final : public PassThroughOutput {
public:
    AColor Filter(AColor c) override { return AColor(c.r * 0.5f, c.g * 0.25f, 0.125f, 0.75f); }
};

TEST(MapEval, TheFiltersResultIsReturnedUnchanged) {
    MapHandle map;
    Refresh(map);
    const AColor plain = Eval(map.get(), Point3(0.0f, 0.0f, 1.0f), ViewAt(1.0f));
    map->ReplaceReference(1, new TintingOutput());
    Refresh(map);
    const AColor tinted = Eval(map.get(), Point3(0.0f, 0.0f, 1.0f), ViewAt(1.0f));
    EXPECT_EQ(tinted.r, plain.r * 0.5f);
    EXPECT_EQ(tinted.g, plain.g * 0.25f);
    EXPECT_EQ(tinted.b, 0.125f);
    EXPECT_EQ(tinted.a, 0.75f);
}

TEST(MapEval, OutOfRangeParametersStillGiveColoursInRange) {
    const struct {
        ParamID id;
        float value;
    } cases[] = {{pb_nr, -2.0f},    {pb_kg, -5.0f},   {pb_gamma, 0.0f}, {pb_gamma, -1.0f},
                 {pb_hue, 1e30f},   {pb_sat, -1e30f}, {pb_nr, 1e30f},   {pb_kb, 3e38f},
                 {pb_gamma, 3e38f}, {pb_sat, 3e38f},  {pb_nb, -3e38f}};
    for (const auto& c : cases) {
        MapHandle map;
        map.SetInt(pb_preset, 0);
        map.Set(c.id, c.value);
        Refresh(map);
        for (float mu : {1.0f, 0.5f, 0.0f}) {
            const AColor color = Eval(map.get(), Point3(0.0f, 0.0f, 1.0f), ViewAt(mu));
            for (float channel : {color.r, color.g, color.b}) {
                EXPECT_FALSE(std::isnan(channel)) << c.id << " = " << c.value;
                EXPECT_GE(channel, 0.0f) << c.id << " = " << c.value;
                EXPECT_LE(channel, 1.0f) << c.id << " = " << c.value;
            }
            EXPECT_EQ(color.a, 1.0f);
        }
    }
}

// A block may hold NaN or an infinity (from a script or a scene written
// elsewhere). It keeps the value, and the map renders a NaN as the
// parameter's default and an infinity as the nearer end of its range.
TEST(MapEval, NonFiniteParametersRenderAsTheDefaultOrTheNearerLimit) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        ParamID id;
        float defaultValue, low, high;
    } parameters[] = {
        {pb_nr, 0.27105f, 0.0f, 100.0f}, {pb_ng, 0.97907f, 0.0f, 100.0f}, {pb_nb, 1.2171f, 0.0f, 100.0f},
        {pb_kr, 3.6092f, 0.0f, 100.0f},  {pb_kg, 2.369f, 0.0f, 100.0f},   {pb_kb, 2.2908f, 0.0f, 100.0f},
        {pb_gamma, 1.0f, 0.05f, 20.0f},  {pb_hue, 0.0f, -180.0f, 180.0f}, {pb_sat, 0.0f, -100.0f, 100.0f}};
    // Away from every default, so that each replacement shows.
    const auto setUp = [](const MapHandle& map) {
        SetConstants(map, {0.2f, 0.5f, 1.5f, 3.0f, 2.5f, 2.0f});
        map.Set(pb_gamma, 2.2f);
        map.Set(pb_hue, 20.0f);
        map.Set(pb_sat, 10.0f);
    };
    for (const auto& p : parameters) {
        for (const auto& [stored, rendered] :
             {std::pair{nan, p.defaultValue}, std::pair{inf, p.high}, std::pair{-inf, p.low}}) {
            MapHandle map;
            MapHandle expected;
            setUp(map);
            setUp(expected);
            map.Set(p.id, stored);
            expected.Set(p.id, rendered);
            Refresh(map);
            Refresh(expected);
            EXPECT_EQ(BitsOf(map.Float(p.id)), BitsOf(stored)) << "the block keeps what it holds";
            for (float mu : {1.0f, 0.7f, 0.2f, 0.0f}) {
                standin::SimpleShadeContext sc(Point3(0.0f, 0.0f, 1.0f), ViewAt(mu));
                const AColor got = map->EvalColor(sc);
                const AColor want = expected->EvalColor(sc);
                const char* what = std::isnan(stored) ? "NaN" : stored > 0.0f ? "+inf" : "-inf";
                EXPECT_EQ(BitsOf(got.r), BitsOf(want.r)) << "parameter " << p.id << " = " << what << ", mu " << mu;
                EXPECT_EQ(BitsOf(got.g), BitsOf(want.g)) << "parameter " << p.id << " = " << what << ", mu " << mu;
                EXPECT_EQ(BitsOf(got.b), BitsOf(want.b)) << "parameter " << p.id << " = " << what << ", mu " << mu;
                EXPECT_TRUE(std::isfinite(map->EvalMono(sc)));
                const Point3 perturb = map->EvalNormalPerturb(sc);
                EXPECT_TRUE(perturb.x == 0.0f && perturb.y == 0.0f && perturb.z == 0.0f);
            }
        }
    }
}

TEST(MapEvalConcurrent, ThreadsSeeTheSameColoursAsOneThread) {
    MapHandle map;
    map.Set(pb_hue, 10.0f);
    map.Set(pb_sat, 5.0f);
    map.Set(pb_gamma, 2.2f);
    Refresh(map);
    constexpr int kSamples = 4096;
    auto render = [&](std::vector<AColor>& out) {
        out.resize(kSamples);
        standin::SimpleShadeContext sc;
        for (int i = 0; i < kSamples; ++i) {
            const float mu = static_cast<float>(i) / (kSamples - 1);
            sc.normal = Point3(0.0f, 0.0f, 1.0f);
            sc.view = ViewAt(mu);
            out[static_cast<size_t>(i)] = map->EvalColor(sc);
        }
    };
    std::vector<AColor> reference;
    render(reference);
    std::vector<std::vector<AColor>> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results) threads.emplace_back(render, std::ref(result));
    for (auto& thread : threads) thread.join();
    for (const auto& result : results) {
        for (int i = 0; i < kSamples; ++i) {
            const AColor& a = result[static_cast<size_t>(i)];
            const AColor& b = reference[static_cast<size_t>(i)];
            ASSERT_TRUE(BitsOf(a.r) == BitsOf(b.r) && BitsOf(a.g) == BitsOf(b.g) && BitsOf(a.b) == BitsOf(b.b)) << i;
        }
    }
}

}  // namespace
}  // namespace aurivel_test
