// Block declarations, the parameter block and the ClassDesc2 services.
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "max.h"
#include "standin/param_declarations.h"
#include "standin/copy_operation.h"
#include "standin/paramblock_stats.h"
#include "standin/tag_source.h"
#include "test_classes.h"

using fixture::Node;
using fixture::TestMap;
using fixture::tm_flag;
using fixture::tm_gain;
using fixture::tm_mode;
using fixture::tm_output;

namespace {

// Declaration reading ----------------------------------------------------------

TEST(Declaration, AGoodDeclarationIsReadAsWritten) {
    ParamBlockDesc2& d = fixture::TestMapParams();
    EXPECT_EQ(d.ID, fixture::tm_params);
    EXPECT_STREQ(d.int_name.data(), L"params");
    EXPECT_EQ(d.cd, fixture::GetTestMapDesc());
    EXPECT_EQ(d.flags, P_AUTO_CONSTRUCT | P_AUTO_UI);
    EXPECT_EQ(d.ref_no, 0);
    EXPECT_EQ(d.dlg_template, 100);
    EXPECT_EQ(d.title, 11);
    EXPECT_EQ(d.dlgProc, nullptr);
    ASSERT_EQ(d.Count(), 4);
    EXPECT_EQ(fixture::GetTestMapDesc()->GetParamBlockDescByID(fixture::tm_params), &d);

    const ParamDef& gain = d.GetParamDef(tm_gain);
    EXPECT_STREQ(gain.int_name, L"gain");
    EXPECT_EQ(static_cast<int>(gain.type), TYPE_FLOAT);
    EXPECT_EQ(gain.flags, P_ANIMATABLE);
    EXPECT_EQ(gain.local_name, 12);
    EXPECT_TRUE(standin::HasDefault(gain));
    EXPECT_EQ(gain.def.f, 1.0f);
    EXPECT_TRUE(standin::HasRange(gain));
    EXPECT_EQ(gain.range_low.f, 0.0f);
    EXPECT_EQ(gain.range_high.f, 10.0f);
    EXPECT_EQ(gain.ctrl_type, TYPE_SPINNER);
    EXPECT_EQ(gain.spin_type, EDITTYPE_FLOAT);
    EXPECT_EQ(standin::ControlIds(gain), (std::vector<int>{1001, 1002}));
    EXPECT_EQ(gain.scale, 0.01f) << "a double through the ellipsis, stored as float";

    const ParamDef& mode = d.GetParamDef(tm_mode);
    EXPECT_EQ(static_cast<int>(mode.type), TYPE_INT);
    EXPECT_EQ(mode.flags, P_ANIMATABLE | P_RESET_DEFAULT);
    EXPECT_EQ(mode.def.i, 5);
    EXPECT_FALSE(standin::HasRange(mode));
    EXPECT_EQ(mode.ctrl_type, TYPE_INT_COMBOBOX);
    EXPECT_EQ(standin::ControlIds(mode), (std::vector<int>{1003}));
    EXPECT_EQ(standin::Items(mode), (std::vector<StringResID>{21, 22, 23}));
    EXPECT_EQ(standin::ItemValues(mode), (std::vector<int>{0, 5, 9}));

    const ParamDef& flag = d.GetParamDef(tm_flag);
    EXPECT_EQ(flag.def.i, TRUE);
    EXPECT_EQ(flag.ctrl_type, TYPE_SINGLECHEKBOX);
    EXPECT_EQ(standin::ControlIds(flag), (std::vector<int>{1004}));

    const ParamDef& output = d.GetParamDef(tm_output);
    EXPECT_EQ(output.type, TYPE_REFTARG);
    EXPECT_EQ(output.flags, P_OWNERS_REF);
    EXPECT_EQ(output.ref_no, 1);
    EXPECT_EQ(output.ctrl_type, -1);
    EXPECT_FALSE(standin::HasDefault(output));

    EXPECT_EQ(d.IDtoIndex(tm_output), 3);
    EXPECT_EQ(d.IDtoIndex(4), -1);
    EXPECT_EQ(d.IndextoID(3), tm_output);
    EXPECT_EQ(d.IndextoID(4), -1);
}

TEST(Declaration, ADeclarationLeavesItsDescriptorWhenItGoes) {
    ClassDesc2* cd = fixture::GetTestMapDesc();
    const int before = cd->NumParamBlockDescs();
    {
        ParamBlockDesc2 extra(7, _T("extra"), 0, cd, 0, 1, _T("x"), TYPE_INT, 0, 0, p_end, p_end);
        EXPECT_EQ(cd->NumParamBlockDescs(), before + 1);
        EXPECT_EQ(cd->GetParamBlockDescByID(7), &extra);
    }
    EXPECT_EQ(cd->NumParamBlockDescs(), before);
    EXPECT_EQ(cd->GetParamBlockDescByID(7), nullptr);
}

struct Malformed {
    const char* name;
    std::function<void()> declare;
    const char* message;
};

class DeclarationDeathTest : public ::testing::TestWithParam<Malformed> {};

TEST_P(DeclarationDeathTest, StopsWithAMessageNamingBlockAndParameter) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_DEATH(GetParam().declare(), GetParam().message);
}

const Malformed kMalformed[] = {
    {"UnknownTag",
     [] { ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 1, _T("a"), TYPE_FLOAT, 0, 0, 12345, p_end, p_end); },
     "\"blk\" \\(block 0\\), parameter 1 \"a\": unknown tag 12345"},
    {"UnsupportedTag",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 1, _T("a"), TYPE_FLOAT, 0, 0, p_accessor, nullptr, p_end,
                           p_end);
     },
     "parameter 1 \"a\": tag p_accessor is not supported"},
    {"FewerValsThanItems",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 2, _T("m"), TYPE_INT, 0, 0, p_ui, TYPE_INT_COMBOBOX, 10, 3, 1,
                           2, 3, p_vals, 0, 1, p_end, p_end);
     },
     "parameter 2 \"m\": p_vals has fewer values than its combo box has items \\(3\\)"},
    {"MoreValsThanItems",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 2, _T("m"), TYPE_INT, 0, 0, p_ui, TYPE_INT_COMBOBOX, 10, 2, 1,
                           2, p_vals, 0, 1, 2, p_end, p_end);
     },
     "parameter 2 \"m\": unknown tag 2: p_vals has more values"},
    {"ValsWithoutCombo",
     [] { ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 2, _T("m"), TYPE_INT, 0, 0, p_vals, 0, p_end, p_end); },
     "p_vals needs a TYPE_INT_COMBOBOX p_ui before it"},
    {"DuplicateID",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 3, _T("first"), TYPE_INT, 0, 0, p_end, 3, _T("second"),
                           TYPE_FLOAT, 0, 0, p_end, p_end);
     },
     "parameter 3 \"second\": the ID is already used by \"first\""},
    {"DefaultOnReference",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 4, _T("out"), TYPE_REFTARG, P_OWNERS_REF, 0, p_default, 0,
                           p_refno, 1, p_end, p_end);
     },
     "parameter 4 \"out\": p_default is not allowed on a reference parameter"},
    {"ReferenceWithoutOwnersRef",
     [] { ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 4, _T("out"), TYPE_REFTARG, 0, 0, p_refno, 1, p_end, p_end); },
     "parameter 4 \"out\": a reference parameter needs P_OWNERS_REF"},
    {"DefaultOutsideRange",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 1, _T("g"), TYPE_FLOAT, 0, 0, p_default, 30.0f, p_range, 0.0f,
                           20.0f, p_end, p_end);
     },
     "parameter 1 \"g\": p_default lies outside p_range"},
    {"UnsupportedType",
     [] { ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 1, _T("c"), TYPE_RGBA, 0, 0, p_end, p_end); },
     "parameter 1 \"c\": parameter type 2 is not supported"},
    {"UnsupportedBlockFlags", [] { ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, P_MULTIMAP, p_end); },
     "\"blk\" \\(block 0\\): block flags 0x20 are not supported"},
    {"UnsupportedControl",
     [] {
         ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, 1, _T("g"), TYPE_FLOAT, 0, 0, p_ui, TYPE_SLIDER, p_end, p_end);
     },
     "parameter 1 \"g\": control type 17 is not supported"},
};

INSTANTIATE_TEST_SUITE_P(Malformed, DeclarationDeathTest, ::testing::ValuesIn(kMalformed),
                         [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

// A tag list from a script, for lists the variadic constructor cannot
// deliver safely.
class ScriptedTags : public standin::TagSource {
public:
    using Item = std::variant<int, double, const void*>;
    explicit ScriptedTags(std::function<Item(size_t)> at) : at_(std::move(at)) {}
    int NextInt() override { return std::get<int>(at_(next_++)); }
    double NextDouble() override { return std::get<double>(at_(next_++)); }
    const void* NextPointer() override { return std::get<const void*>(at_(next_++)); }

private:
    std::function<Item(size_t)> at_;
    size_t next_ = 0;
};

TEST(DeclarationDeathTest, AListWithoutItsFinalEndStopsAfterBoundedReading) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    // Endless well-formed parameters: ID, name, type, flags, local name, p_end.
    auto endless = [](size_t i) -> ScriptedTags::Item {
        switch (i % 6) {
            case 0:
                return static_cast<int>(i / 6);
            case 1:
                return static_cast<const void*>(L"p");
            case 2:
                return static_cast<int>(TYPE_INT);
            case 3:
            case 4:
                return 0;
            default:
                return static_cast<int>(p_end);
        }
    };
    EXPECT_DEATH(
        {
            ScriptedTags tags(endless);
            ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, p_end);
            standin::ReadTagList(d, tags);
        },
        "\"blk\" \\(block 0\\): more than 1000 parameters: is the final p_end missing\\?");
}

TEST(Declaration, AScriptedListReadsLikeTheVariadicOne) {
    const std::vector<ScriptedTags::Item> items = {
        1,   static_cast<const void*>(L"g"), static_cast<int>(TYPE_FLOAT), 0, 0, static_cast<int>(p_default),
        0.5, static_cast<int>(p_end),        static_cast<int>(p_end)};
    ScriptedTags tags([&](size_t i) { return items.at(i); });
    ParamBlockDesc2 d(0, _T("blk"), 0, nullptr, 0, p_end);
    standin::ReadTagList(d, tags);
    ASSERT_EQ(d.Count(), 1);
    EXPECT_EQ(d.GetParamDef(1).def.f, 0.5f);
}

// The block -------------------------------------------------------------------

class Block : public ::testing::Test {
protected:
    void SetUp() override {
        map = new TestMap;
        block = map->pblock;
        map->seen.clear();  // the constructor's reset
    }
    void TearDown() override {
        AnimateOff();
        map->DeleteThis();
        EXPECT_EQ(TestMap::Alive(), 0);
        EXPECT_EQ(Node::Alive(), 0);
    }

    float GainAt(TimeValue t, Interval& valid) {
        float v = -1.0f;
        EXPECT_TRUE(block->GetValue(tm_gain, t, v, valid));
        return v;
    }

    TestMap* map = nullptr;
    IParamBlock2* block = nullptr;
};

TEST_F(Block, MakeAutoParamBlocksInstallsTheBlockAsTheOwnersReference) {
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(map->GetReference(0), block);
    EXPECT_EQ(block->GetOwner(), map);
    EXPECT_EQ(block->GetDesc(), &fixture::TestMapParams());
    EXPECT_EQ(block->ID(), fixture::tm_params);
    EXPECT_EQ(block->NumParams(), 4);
    EXPECT_EQ(block->SuperClassID(), static_cast<SClass_ID>(PARAMETER_BLOCK2_CLASS_ID));
}

TEST_F(Block, StartsAtTheDeclaredDefaults) {
    EXPECT_EQ(block->GetFloat(tm_gain), 1.0f);
    EXPECT_EQ(block->GetInt(tm_mode), 5);
    EXPECT_EQ(block->GetInt(tm_flag), TRUE);
}

TEST_F(Block, AConstantValueLeavesTheIntervalAlone) {
    block->SetValue(tm_gain, 40, 3.5f);
    Interval valid = FOREVER;
    EXPECT_EQ(GainAt(-1000, valid), 3.5f);
    EXPECT_EQ(valid, FOREVER);
    Interval narrow(5, 9);
    GainAt(7, narrow);
    EXPECT_EQ(narrow, Interval(5, 9));
}

TEST_F(Block, RefusesWrongKindsUnknownIDsAndTableEntries) {
    float f = 0.0f;
    int i = 0;
    Interval valid = FOREVER;
    EXPECT_FALSE(block->GetValue(tm_mode, 0, f, valid));
    EXPECT_FALSE(block->GetValue(tm_gain, 0, i, valid));
    EXPECT_FALSE(block->GetValue(4, 0, f, valid));
    EXPECT_FALSE(block->GetValue(tm_gain, 0, f, valid, 1));
    EXPECT_FALSE(block->SetValue(tm_gain, 0, 3));
    EXPECT_FALSE(block->SetValue(tm_mode, 0, 3.0f));
    EXPECT_EQ(block->GetFloat(tm_gain), 1.0f);
    EXPECT_EQ(block->GetInt(tm_mode), 5);
    EXPECT_TRUE(map->seen.empty()) << "a refused write notifies nobody";
}

TEST_F(Block, AnimatingMakesStepKeysAndGetValueNarrowsToTheirSpan) {
    AnimateOn();
    block->SetValue(tm_gain, 100, 3.0f);  // also keeps 1.0 at time 0
    block->SetValue(tm_gain, 200, 5.0f);
    AnimateOff();
    struct Case {
        TimeValue t;
        float value;
        Interval span;
    };
    const Case cases[] = {
        {-500, 1.0f, Interval(TIME_NegInfinity, 99)},
        {0, 1.0f, Interval(TIME_NegInfinity, 99)},
        {99, 1.0f, Interval(TIME_NegInfinity, 99)},
        {100, 3.0f, Interval(100, 199)},
        {150, 3.0f, Interval(100, 199)},
        {200, 5.0f, Interval(200, TIME_PosInfinity)},
        {90000, 5.0f, Interval(200, TIME_PosInfinity)},
    };
    for (const Case& c : cases) {
        Interval valid = FOREVER;
        EXPECT_EQ(GainAt(c.t, valid), c.value) << "t=" << c.t;
        EXPECT_EQ(valid, c.span) << "t=" << c.t;
        EXPECT_EQ(block->GetFloat(tm_gain, c.t), c.value);
    }
    Interval outer(120, 400);
    GainAt(150, outer);
    EXPECT_EQ(outer, Interval(120, 199)) << "narrowed, never widened";
}

TEST_F(Block, SettingWithoutAnimatingChangesAKeyOrReplacesTheAnimation) {
    AnimateOn();
    block->SetValue(tm_gain, 100, 3.0f);
    AnimateOff();
    block->SetValue(tm_gain, 100, 4.0f);
    EXPECT_EQ(block->GetFloat(tm_gain, 100), 4.0f);
    EXPECT_EQ(block->GetFloat(tm_gain, 0), 1.0f) << "the key at 0 stays";
    block->SetValue(tm_gain, 50, 2.0f);
    Interval valid = FOREVER;
    EXPECT_EQ(GainAt(100, valid), 2.0f);
    EXPECT_EQ(valid, FOREVER) << "no key at 50: constant at all times";
}

TEST_F(Block, AFirstKeyAtTimeZeroHoldsForever) {
    AnimateOn();
    block->SetValue(tm_gain, 0, 6.0f);
    Interval valid = FOREVER;
    EXPECT_EQ(GainAt(500, valid), 6.0f);
    EXPECT_EQ(valid, FOREVER);
}

TEST_F(Block, ParametersThatAreNotAnimatableNeverGetKeys) {
    AnimateOn();
    block->SetValue(tm_flag, 100, FALSE);
    int v = -1;
    Interval valid = FOREVER;
    EXPECT_TRUE(block->GetValue(tm_flag, 0, v, valid));
    EXPECT_EQ(v, FALSE);
    EXPECT_EQ(valid, FOREVER);
}

TEST_F(Block, AnimatedIntegers) {
    AnimateOn();
    block->SetValue(tm_mode, 60, 9);
    AnimateOff();
    EXPECT_EQ(block->GetInt(tm_mode, 0), 5);
    EXPECT_EQ(block->GetInt(tm_mode, 60), 9);
    int v = 0;
    Interval valid = FOREVER;
    block->GetValue(tm_mode, 10, v, valid);
    EXPECT_EQ(valid, Interval(TIME_NegInfinity, 59));
}

TEST_F(Block, EachSetValueNotifiesTheOwnerWithItsParameter) {
    block->SetValue(tm_gain, 0, 2.0f);
    block->SetValue(tm_flag, 0, FALSE);
    EXPECT_EQ(map->seen, (std::vector<ParamID>{tm_gain, tm_flag}));
    EXPECT_EQ(block->LastNotifyParamID(), tm_flag);
}

TEST_F(Block, NestedNotificationsEachSeeTheirOwnParameter) {
    map->writeGainOnModeChange = true;
    block->SetValue(tm_mode, 0, 9);
    // Outer change of mode, the nested write of gain, then mode again once
    // the nested notification is over.
    EXPECT_EQ(map->seen, (std::vector<ParamID>{tm_mode, tm_gain, tm_mode}));
    EXPECT_EQ(block->GetFloat(tm_gain), 2.5f);
}

TEST_F(Block, OwnersReferencesLiveInTheOwner) {
    ReferenceTarget* out = block->GetReferenceTarget(tm_output);
    EXPECT_EQ(out, map->texout);
    ASSERT_NE(out, nullptr);
    TextureOutput* replacement = GetNewDefaultTextureOutput();
    EXPECT_TRUE(block->SetValue(tm_output, 0, replacement));
    EXPECT_EQ(map->texout, replacement);
    EXPECT_EQ(map->seen, (std::vector<ParamID>{tm_output}));
    EXPECT_TRUE(block->SetValue(tm_output, 0, static_cast<ReferenceTarget*>(nullptr)));
    EXPECT_EQ(map->texout, nullptr);
    EXPECT_EQ(block->GetReferenceTarget(tm_output), nullptr);
}

TEST_F(Block, ClassDesc2ResetRestoresDefaultsAndNotifiesOnce) {
    AnimateOn();
    block->SetValue(tm_gain, 100, 7.0f);
    AnimateOff();
    block->SetValue(tm_mode, 0, 0);
    block->SetValue(tm_flag, 0, FALSE);
    TextureOutput* out = map->texout;
    map->seen.clear();
    fixture::GetTestMapDesc()->Reset(map);
    EXPECT_EQ(map->seen, (std::vector<ParamID>{-1}));
    Interval valid = FOREVER;
    EXPECT_EQ(GainAt(100, valid), 1.0f);
    EXPECT_EQ(valid, FOREVER) << "keys are gone";
    EXPECT_EQ(block->GetInt(tm_mode), 5);
    EXPECT_EQ(block->GetInt(tm_flag), TRUE);
    EXPECT_EQ(map->texout, out) << "references are not parameters with defaults";
}

TEST_F(Block, ACopyHasItsOwnValuesKeysAndOwner) {
    AnimateOn();
    block->SetValue(tm_gain, 100, 3.0f);
    AnimateOff();
    block->SetValue(tm_mode, 0, 9);
    auto* copy = static_cast<TestMap*>(standin::CloneObject(map));
    ASSERT_NE(copy->pblock, block);
    EXPECT_EQ(copy->pblock->GetOwner(), copy);
    EXPECT_EQ(copy->pblock->GetFloat(tm_gain, 0), 1.0f);
    EXPECT_EQ(copy->pblock->GetFloat(tm_gain, 100), 3.0f);
    EXPECT_EQ(copy->pblock->GetInt(tm_mode), 9);
    EXPECT_EQ(copy->pblock->GetReferenceTarget(tm_output), copy->texout);
    EXPECT_NE(copy->texout, map->texout);
    copy->pblock->SetValue(tm_mode, 0, 0);
    EXPECT_EQ(block->GetInt(tm_mode), 9);
    copy->DeleteThis();
}

TEST_F(Block, CountsGetValueCallsOnly) {
    const long before = standin::ParamBlockValueReads();
    Interval valid = FOREVER;
    GainAt(0, valid);
    int mode = 0;
    block->GetValue(tm_mode, 0, mode, valid);
    block->GetInt(tm_mode);
    block->GetFloat(tm_gain);
    EXPECT_EQ(standin::ParamBlockValueReads(), before + 2);
}

TEST(ParameterBlock, CreateParameterBlock2WithoutAnOwnerHasNoOwnersReferences) {
    IParamBlock2* block = CreateParameterBlock2(&fixture::TestMapParams(), nullptr);
    EXPECT_EQ(block->GetOwner(), nullptr);
    EXPECT_EQ(block->GetReferenceTarget(tm_output), nullptr);
    EXPECT_FALSE(block->SetValue(tm_output, 0, static_cast<ReferenceTarget*>(nullptr)));
    EXPECT_EQ(block->GetFloat(tm_gain), 1.0f);
    block->DeleteThis();
}

}  // namespace
