// The map's answers to the host's object protocol: references, names, the
// evaluation cache, change handling, presets, copying, saving and loading.
#include <cmath>
#include <limits>
#include <vector>

#include "standin/unimplemented.h"
#include "module_fixture/module_fixture.h"
#include "standin/chunk_io.h"
#include "standin/copy_operation.h"
#include "standin/paramblock_stats.h"
#include "standin/scene_file.h"
#include "standin/shade_context.h"
#include "stdmat.h"

namespace aurivel_test {
namespace {

// Watches a block as a second dependent and records each change it reports.
class ChangeRecorder final : public ReferenceMaker {
public:
    explicit ChangeRecorder(IParamBlock2* block) { ReplaceReference(0, block, FALSE); }
    ~ChangeRecorder() override { DeleteAllRefsFromMe(); }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return block; }
    std::vector<ParamID> ids;
    std::vector<float> valuesAtZero;

protected:
    void SetReference(int, RefTargetHandle target) override { block = static_cast<IParamBlock2*>(target); }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage message, BOOL) override {
        if (message == REFMSG_CHANGE) ids.push_back(block->LastNotifyParamID());
        return REF_SUCCEED;
    }

private:
    IParamBlock2* block = nullptr;
};

TextureOutput* Output(const MapHandle& map) { return static_cast<TextureOutput*>(map->GetReference(1)); }

void ExpectDefaults(const MapHandle& map) {
    EXPECT_EQ(map.Block()->GetInt(pb_preset, 0), kCopper);
    EXPECT_EQ(map.Constants(), PublishedConstants(kCopper));
    EXPECT_EQ(map.Float(pb_gamma), 1.0f);
    EXPECT_EQ(map.Float(pb_hue), 0.0f);
    EXPECT_EQ(map.Float(pb_sat), 0.0f);
    EXPECT_EQ(Output(map)->GetOutputLevel(0), 1.0f);
}

TEST(MapProtocol, NewMapHoldsTheDefaults) {
    MapHandle map;
    ExpectDefaults(map);
}

TEST(MapProtocol, ReferencesAndSubAnimsAreTheSameThreeObjects) {
    MapHandle map;
    ASSERT_EQ(map->NumRefs(), 3);
    ASSERT_EQ(map->NumSubs(), 3);
    EXPECT_EQ(map->GetReference(0), map.Block());
    ASSERT_NE(map->GetReference(1), nullptr);
    EXPECT_EQ(map->GetReference(1)->SuperClassID(), static_cast<SClass_ID>(TEXOUTPUT_CLASS_ID));
    EXPECT_EQ(map->GetReference(2), nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(map->SubAnim(i), map->GetReference(i)) << i;
    EXPECT_EQ(map->NumParamBlocks(), 1);
    EXPECT_EQ(map->GetParamBlock(5), map.Block());
    EXPECT_EQ(map->GetParamBlockByID(0), map.Block());
    EXPECT_EQ(map->GetParamBlockByID(1), nullptr);
}

TEST(MapProtocol, NamesAndIdentity) {
    MapHandle map;
    for (bool localized : {true, false}) {
        EXPECT_STREQ(map->SubAnimName(0, localized).data(), L"Parameters");
        EXPECT_STREQ(map->SubAnimName(1, localized).data(), L"Output");
        MSTR name;
        map->GetClassName(name, localized);
        EXPECT_STREQ(name.data(), L"Aurivel");
    }
    EXPECT_STREQ(map->SubAnimName(2, true).data(), map->GetSubTexmapTVName(0, true).data());
    EXPECT_EQ(map->ClassID(), Class_ID(0x9F6ECB34, 0x768F22AB));
    EXPECT_EQ(map->SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    EXPECT_EQ(map->NumSubTexmaps(), 1);
    EXPECT_EQ(map->SubTexmapOn(0), 1);
    EXPECT_STREQ(map->GetSubTexmapSlotName(0, true).data(), L"");
    EXPECT_EQ(map->GetRefTarget(), map.get());
}

TEST(MapProtocol, SubMapIsReferenceTwo) {
    MapHandle map;
    Texmap* sub = Module::NewMap();
    map->SetSubTexmap(0, sub);
    EXPECT_EQ(map->GetSubTexmap(0), sub);
    EXPECT_EQ(map->GetReference(2), sub);
    // Replacing the slot lets the host delete the old map (LeakSanitizer
    // would report it otherwise).
    map->SetSubTexmap(0, nullptr);
    EXPECT_EQ(map->GetSubTexmap(0), nullptr);
}

TEST(MapProtocol, UpdateWithNothingAnimatedIsValidForever) {
    MapHandle map;
    Interval valid(100, 200);
    map->Update(150, valid);
    EXPECT_EQ(valid, Interval(100, 200));
    EXPECT_EQ(map->Validity(150), FOREVER);
}

TEST(MapProtocol, AnimatedGammaNarrowsTheCacheAndIsReadOnce) {
    MapHandle map;
    AnimateOn();
    map.Set(pb_gamma, 2.0f, 4800);
    AnimateOff();

    const Interval atStart = map->Validity(0);
    EXPECT_FALSE(atStart.InInterval(4800));
    EXPECT_TRUE(atStart.InInterval(0));

    Interval valid = FOREVER;
    map->Update(6000, valid);
    EXPECT_TRUE(valid.InInterval(6000));
    EXPECT_FALSE(valid.InInterval(4799));
    EXPECT_EQ(valid, map->Validity(6000));

    const long readsBefore = standin::ParamBlockValueReads();
    Interval again = FOREVER;
    map->Update(7000, again);
    EXPECT_EQ(standin::ParamBlockValueReads(), readsBefore);
    EXPECT_EQ(again, valid);

    map->Update(0, again);
    EXPECT_EQ(standin::ParamBlockValueReads(), readsBefore + 9);
}

// An output object whose settings hold for the 100 ticks around a time, as an
// animated output amount would.
class SteppedOutput final : public PassThroughOutput {
public:
    void Update(TimeValue t, Interval& valid) override {
        const TimeValue start = t - t % 100;
        valid &= Interval(start, start + 99);
    }
};

TEST(MapProtocol, AnimatedOutputNarrowsTheValidity) {
    MapHandle map;
    map->ReplaceReference(1, new SteppedOutput());
    Interval valid = FOREVER;
    map->Update(150, valid);
    EXPECT_EQ(valid, Interval(100, 199));
    EXPECT_EQ(map->Validity(150), Interval(100, 199));
}

TEST(MapProtocol, ChangeFromAnyReferenceEmptiesTheCache) {
    MapHandle map;
    Texmap* sub = Module::NewMap();
    map->SetSubTexmap(0, sub);
    ReferenceTarget* targets[] = {map.Block(), map->GetReference(1), sub};
    for (ReferenceTarget* target : targets) {
        Interval valid = FOREVER;
        map->Update(0, valid);
        const long reads = standin::ParamBlockValueReads();
        map->Update(0, valid);
        EXPECT_EQ(standin::ParamBlockValueReads(), reads);
        target->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
        map->Update(0, valid);
        EXPECT_EQ(standin::ParamBlockValueReads(), reads + 9);
    }
}

TEST(MapProtocol, OtherMessagesChangeNothing) {
    MapHandle map;
    Interval valid = FOREVER;
    map->Update(0, valid);
    const long reads = standin::ParamBlockValueReads();
    map.Block()->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE + 1);
    map->Update(0, valid);
    EXPECT_EQ(standin::ParamBlockValueReads(), reads);
}

TEST(MapProtocol, ChoosingAMetalWritesItsPublishedRowInOrder) {
    MapHandle map;
    const std::vector<ParamID> constantsInOrder(std::begin(kOpticalConstantIDs), std::end(kOpticalConstantIDs));
    for (const PublishedMetal& metal : kPublishedMetals) {
        SCOPED_TRACE(metal.preset);
        ChangeRecorder recorder(map.Block());
        map.SetInt(pb_preset, metal.preset);
        EXPECT_EQ(map.Constants(), metal.constants);
        std::vector<ParamID> writes;
        for (ParamID id : recorder.ids)
            if (id != pb_preset) writes.push_back(id);
        EXPECT_EQ(writes, constantsInOrder);
    }
}

TEST(MapProtocol, CustomAndUnknownPresetsWriteNothing) {
    MapHandle map;
    map.SetInt(pb_preset, kGold);
    for (int preset : {kCustom, 11, -1, 1000}) {
        ChangeRecorder recorder(map.Block());
        map.SetInt(pb_preset, preset);
        EXPECT_EQ(recorder.ids, std::vector<ParamID>{pb_preset}) << preset;
        EXPECT_EQ(map.Constants(), PublishedConstants(kGold)) << preset;
    }
}

TEST(MapProtocol, OtherParametersWriteNothingElse) {
    MapHandle map;
    for (ParamID id : {pb_gamma, pb_hue, pb_sat, pb_nr, pb_kb}) {
        ChangeRecorder recorder(map.Block());
        map.Set(id, 0.5f);
        EXPECT_EQ(recorder.ids, std::vector<ParamID>{id});
    }
}

TEST(MapProtocol, ReselectingAPresetRestoresAHandEditedConstant) {
    MapHandle map;
    map.SetInt(pb_preset, kSilver);
    map.Set(pb_kr, 9.0f);
    EXPECT_EQ(map.Float(pb_kr), 9.0f);
    EXPECT_EQ(map.Block()->GetInt(pb_preset, 0), kSilver);
    map.SetInt(pb_preset, kSilver);
    EXPECT_EQ(map.Constants(), PublishedConstants(kSilver));
}

TEST(MapProtocol, AnimatedPresetIsReadAtTimeZero) {
    MapHandle map;
    map.SetInt(pb_preset, kGold);
    AnimateOn();
    map.SetInt(pb_preset, kSilver, 9600);
    AnimateOff();
    // The preset at time 0 is still Gold, so Gold is what gets written.
    EXPECT_EQ(map.Constants(), PublishedConstants(kGold));
}

TEST(MapProtocol, ResetRestoresEveryDefaultAndTheOutputsSettings) {
    MapHandle map;
    map.SetInt(pb_preset, kGold);
    map.Set(pb_gamma, 3.0f);
    map.Set(pb_hue, 45.0f);
    map.Set(pb_sat, -20.0f);
    TextureOutput* output = Output(map);
    output->SetOutputLevel(0, 0.5f);
    map->Reset();
    ExpectDefaults(map);
    EXPECT_EQ(Output(map), output) << "the output object is reset, not replaced";
}

TEST(MapProtocol, CloneCopiesHeaderBlockAndOutputButNoSubMap) {
    MapHandle map;
    map->SetSubTexmap(0, Module::NewMap());
    map.SetInt(pb_preset, kGold);
    map.Set(pb_hue, 30.0f);
    map->SetName(_T("Brass"));
    map->gbufID = 7;
    Output(map)->SetOutputLevel(0, 0.5f);
    Interval valid = FOREVER;
    map->Update(0, valid);

    MapHandle copy(static_cast<Texmap*>(standin::CloneObject(map.get())));
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_STREQ(copy->GetName().data(), L"Brass");
    EXPECT_EQ(copy->gbufID, 7u);
    EXPECT_NE(copy.Block(), map.Block());
    EXPECT_EQ(copy.Constants(), PublishedConstants(kGold));
    EXPECT_EQ(copy.Float(pb_hue), 30.0f);
    ASSERT_NE(copy->GetReference(1), nullptr);
    EXPECT_NE(copy->GetReference(1), map->GetReference(1));
    EXPECT_EQ(Output(copy)->GetOutputLevel(0), 0.5f);
    EXPECT_EQ(copy->GetSubTexmap(0), nullptr);

    const long reads = standin::ParamBlockValueReads();
    copy->Update(0, valid);
    EXPECT_EQ(standin::ParamBlockValueReads(), reads + 9) << "a copy starts with a stale cache";
}

// Records the chunk structure that a save produces.
class ChunkLog final : public standin::Unimplemented<ISave> {
public:
    void BeginChunk(USHORT id) override { events.push_back(id); }
    void EndChunk() override { events.push_back(0); }
    IOResult Write(const void*, ULONG n, ULONG* written) override {
        *written = n;
        return IO_OK;
    }
    using Unimplemented::WriteWString;
    IOResult WriteWString(const wchar_t*) override { return IO_OK; }
    std::vector<int> TopLevel() const {
        std::vector<int> ids;
        int depth = 0;
        for (int e : events) {
            if (e == 0)
                --depth;
            else if (depth++ == 0)
                ids.push_back(e);
        }
        return ids;
    }
    std::vector<int> events;
};

TEST(MapProtocol, SaveWritesOneHeaderChunk) {
    MapHandle map;
    ChunkLog log;
    EXPECT_EQ(map->Save(&log), IO_OK);
    EXPECT_EQ(log.TopLevel(), std::vector<int>{0x4000});
}

std::vector<unsigned char> ChunkBytes(const std::vector<std::pair<USHORT, std::vector<unsigned char>>>& chunks) {
    std::vector<unsigned char> out;
    standin::ChunkWriter writer(out);
    for (const auto& chunk : chunks) {
        writer.BeginChunk(chunk.first);
        ULONG written = 0;
        if (!chunk.second.empty()) writer.Write(chunk.second.data(), static_cast<ULONG>(chunk.second.size()), &written);
        writer.EndChunk();
    }
    return out;
}

TEST(MapProtocol, LoadSkipsUnknownChunksAndKeepsTheHeader) {
    MapHandle source;
    source->SetName(_T("Brass"));
    source->gbufID = 7;
    std::vector<unsigned char> header;
    {
        standin::ChunkWriter writer(header);
        ASSERT_EQ(source->Save(&writer), IO_OK);
    }
    std::vector<unsigned char> stream = ChunkBytes({{0x1234, {1, 2, 3}}});
    stream.insert(stream.end(), header.begin(), header.end());
    const std::vector<unsigned char> tail = ChunkBytes({{0x5000, {}}});
    stream.insert(stream.end(), tail.begin(), tail.end());

    MapHandle map;
    standin::ChunkReader reader(stream.data(), stream.size());
    EXPECT_EQ(map->Load(&reader), IO_OK);
    EXPECT_STREQ(map->GetName().data(), L"Brass");
    EXPECT_EQ(map->gbufID, 7u);
}

TEST(MapProtocol, LoadFailsOnAMalformedStream) {
    MapHandle source;
    std::vector<unsigned char> stream;
    {
        standin::ChunkWriter writer(stream);
        ASSERT_EQ(source->Save(&writer), IO_OK);
    }
    for (size_t cut = 1; cut < stream.size(); ++cut) {
        MapHandle map;
        standin::ChunkReader reader(stream.data(), cut);
        EXPECT_EQ(map->Load(&reader), IO_ERROR) << "cut at " << cut;
    }
}

AColor Sample(Texmap* map, const Point3& n, const Point3& v) {
    standin::SimpleShadeContext sc(n, v);
    return map->EvalColor(sc);
}

TEST(MapProtocol, SceneRoundTripRendersTheSameAndAppliesNoPreset) {
    MapHandle map;
    map.SetInt(pb_preset, kGold);
    map.Set(pb_kr, 1.25f);  // a scripted edit that no preset change follows
    map.Set(pb_hue, 12.0f);
    map.Set(pb_gamma, 1.7f);
    map.Set(pb_sat, std::numeric_limits<float>::quiet_NaN());  // kept, though never rendered
    map->SetSubTexmap(0, Module::NewMap());

    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_EQ(standin::SaveSceneToBytes(map.get(), bytes, SIZE_MAX, &error), IO_OK) << error;
    IOResult result = IO_ERROR;
    MapHandle loaded(static_cast<Texmap*>(standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &error)));
    ASSERT_EQ(result, IO_OK) << error;
    ASSERT_NE(loaded.get(), nullptr);
    EXPECT_EQ(loaded.Float(pb_kr), 1.25f);
    EXPECT_EQ(BitsOf(loaded.Float(pb_sat)), BitsOf(map.Float(pb_sat)));
    EXPECT_EQ(loaded.Block()->GetInt(pb_preset, 0), kGold);
    EXPECT_NE(loaded->GetSubTexmap(0), nullptr);

    Interval valid = FOREVER;
    map->Update(0, valid);
    loaded->Update(0, valid);
    const Point3 normal(0.0f, 0.0f, 1.0f);
    for (float c : {1.0f, 0.8f, 0.5f, 0.2f, 0.0f}) {
        const Point3 view(0.0f, std::sqrt(1.0f - c * c), -c);
        const AColor a = Sample(map.get(), normal, view);
        const AColor b = Sample(loaded.get(), normal, view);
        EXPECT_EQ(BitsOf(a.r), BitsOf(b.r));
        EXPECT_EQ(BitsOf(a.g), BitsOf(b.g));
        EXPECT_EQ(BitsOf(a.b), BitsOf(b.b));
    }
}

// Scene files found by fuzzing that put the wrong kind of object into a map's
// slots, or leave its output slot empty: the host refuses them.
TEST(MapProtocol, ScenesWithTheWrongKindOfObjectInASlotAreRefused) {
    const char* names[] = {"scene_wrong_kind_in_submap_slot", "scene_wrong_kind_in_output_slot",
                           "scene_map_without_output"};
    Module::Library();  // the scenes name the map's class
    for (const char* name : names) {
        IOResult result = IO_OK;
        std::string error;
        const std::string path = std::string(AURIVEL_SCENE_REGRESSIONS) + "/" + name;
        EXPECT_EQ(standin::LoadScene(path, &result, &error), nullptr) << name;
        EXPECT_EQ(result, IO_ERROR) << name;
        EXPECT_NE(error.find("does not hold the kind of object"), std::string::npos) << name << ": " << error;
    }
}

}  // namespace
}  // namespace aurivel_test
