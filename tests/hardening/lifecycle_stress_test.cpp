// Maps through their whole life in random order, thousands of them: made,
// copied, given sub-maps (some sharing an output object), edited and
// animated, reset, saved and loaded, deleted. Every loaded map must equal
// the map that was saved; the asan stage proves that nothing leaks and
// nothing is freed twice.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "map_state.h"
#include "module_fixture/module_fixture.h"
#include "standin/copy_operation.h"
#include "standin/scene_file.h"

namespace aurivel_test {
namespace {

constexpr int kSteps = 20000;
constexpr size_t kMostMaps = 40;  // top-level maps alive at once
constexpr TimeValue kKeyTimes[] = {0, 80, 160, 320};
constexpr ParamID kFloatIDs[] = {pb_nr, pb_ng, pb_nb, pb_kr, pb_kg, pb_kb, pb_gamma, pb_hue, pb_sat};

enum class Step { Create, Clone, GiveSubMap, Edit, Reset, SaveAndLoad, Delete, kCount };

const char* NameOf(Step step) {
    static const char* const names[] = {"create", "clone", "give sub-map", "edit", "reset", "save and load", "delete"};
    return names[static_cast<int>(step)];
}

class Churn {
public:
    ~Churn() {
        for (Texmap* map : maps_) map->DeleteThis();
    }

    // A fixed start, so that a failure comes back on every run.
    void Run(int steps) {
        for (int i = 0; i < steps && !::testing::Test::HasFatalFailure(); ++i) {
            const auto step = maps_.empty() ? Step::Create : static_cast<Step>(Below(static_cast<int>(Step::kCount)));
            SCOPED_TRACE("step " + std::to_string(i) + ": " + NameOf(step));
            Do(step);
        }
    }

    int made = 0;  // maps created, copied or loaded, sub-maps included
    int loads = 0;

private:
    int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    Texmap*& AnyMap() { return maps_[static_cast<size_t>(Below(static_cast<int>(maps_.size())))]; }

    // The map itself or one of its sub-maps, any depth.
    Texmap* SomewhereIn(Texmap* map) {
        while (map->GetSubTexmap(0) && Below(2)) map = map->GetSubTexmap(0);
        return map;
    }

    void Add(Texmap* map) {
        if (maps_.size() == kMostMaps) {
            maps_.front()->DeleteThis();
            maps_.erase(maps_.begin());
        }
        maps_.push_back(map);
    }

    void Do(Step step) {
        switch (step) {
            case Step::Create:
                Add(Module::NewMap());
                ++made;
                break;
            case Step::Clone:
                Add(static_cast<Texmap*>(standin::CloneObject(SomewhereIn(AnyMap()))));
                ++made;
                break;
            case Step::GiveSubMap:
                GiveSubMap(SomewhereIn(AnyMap()));
                break;
            case Step::Edit:
                Edit(SomewhereIn(AnyMap()));
                break;
            case Step::Reset:
                SomewhereIn(AnyMap())->Reset();
                break;
            case Step::SaveAndLoad:
                SaveAndLoad(AnyMap());
                break;
            case Step::Delete: {
                Texmap*& map = AnyMap();
                map->DeleteThis();
                map = maps_.back();
                maps_.pop_back();
                break;
            }
            case Step::kCount:
                break;
        }
    }

    // A new map or a copy of one; a third of them share the parent's output.
    void GiveSubMap(Texmap* parent) {
        Texmap* sub = Below(2) ? Module::NewMap() : static_cast<Texmap*>(standin::CloneObject(AnyMap()));
        if (Below(3) == 0) sub->ReplaceReference(1, parent->GetReference(1));
        parent->SetSubTexmap(0, sub);
        ++made;
    }

    void Edit(Texmap* map) {
        IParamBlock2* block = map->GetParamBlock(0);
        const TimeValue t = kKeyTimes[Below(4)];
        const bool animate = Below(2) == 0;
        if (animate) AnimateOn();
        switch (Below(5)) {
            case 0:
                block->SetValue(pb_preset, t, Below(11));
                break;
            case 1:
                map->SetName(MSTR(std::to_wstring(Below(1000)).c_str()));
                break;
            case 2:
                map->gbufID = static_cast<ULONG>(Below(16));
                break;
            case 3:
                static_cast<TextureOutput*>(map->GetReference(1))
                    ->SetOutputLevel(t, 0.25f * static_cast<float>(Below(5)));
                break;
            default:
                block->SetValue(kFloatIDs[Below(9)], t, static_cast<float>(Below(4001)) / 40.0f - 50.0f);
                break;
        }
        AnimateOff();
    }

    void SaveAndLoad(Texmap*& map) {
        std::vector<unsigned char> bytes;
        std::string error;
        ASSERT_EQ(standin::SaveSceneToBytes(map, bytes, SIZE_MAX, &error), IO_OK) << error;
        IOResult result = IO_ERROR;
        auto* loaded = static_cast<Texmap*>(standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &error));
        ASSERT_NE(loaded, nullptr) << error;
        ++loads;
        for (Texmap* m = loaded; m; m = m->GetSubTexmap(0)) ++made;
        ASSERT_EQ(DescribeMap(loaded), DescribeMap(map));
        // The loaded map takes the saved one's place, or joins it.
        if (Below(2)) {
            map->DeleteThis();
            map = loaded;
        } else {
            Add(loaded);
        }
    }

    std::mt19937 rng_{20240607u};
    std::vector<Texmap*> maps_;
};

TEST(LifecycleStress, ThousandsOfMapsInRandomOrderKeepTheirStateThroughSaveAndLoad) {
    Churn churn;
    churn.Run(kSteps);
    EXPECT_GT(churn.made, 2000);
    EXPECT_GT(churn.loads, 500);
    RecordProperty("maps", churn.made);
    RecordProperty("loads", churn.loads);
}

}  // namespace
}  // namespace aurivel_test
