// Maps and their host services: the default texture output, the MtlBase
// header, sub-map names, colour clamping, the class directory.
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "max.h"
#include "shading/bit_cast.h"
#include "standin/chunk_io.h"
#include "standin/class_directory.h"
#include "standin/copy_operation.h"
#include "standin/shade_context.h"
#include "test_classes.h"

using fixture::Node;
using fixture::TestMap;

using aurivel::BitsOf;
using aurivel::FloatFromBits;

namespace {

// Values a filter might disturb: negative zero, subnormals, infinities,
// quiet NaNs with payloads, and ordinary colours.
const std::vector<float>& Awkward() {
    static const std::vector<float> values = {0.0f,
                                              -0.0f,
                                              1.0f,
                                              0.1f,
                                              0.92595214f,
                                              1e-40f,
                                              -1e-40f,
                                              3.4e38f,
                                              std::numeric_limits<float>::infinity(),
                                              -std::numeric_limits<float>::infinity(),
                                              FloatFromBits(0x7fc00123),
                                              FloatFromBits(0xffc00000),
                                              FloatFromBits(0x7fffffff)};
    return values;
}

// Default texture output -------------------------------------------------------

class DefaultOutput : public ::testing::Test {
protected:
    void TearDown() override { out->DeleteThis(); }
    TextureOutput* out = GetNewDefaultTextureOutput();
};

TEST_F(DefaultOutput, PassesEveryValueThroughBitForBit) {
    for (float r : Awkward()) {
        for (float a : {1.0f, FloatFromBits(0x7fc00001)}) {
            const AColor c(r, 0.5f, -0.0f, a);
            const AColor f = out->Filter(c);
            EXPECT_EQ(BitsOf(f.r), BitsOf(c.r));
            EXPECT_EQ(BitsOf(f.g), BitsOf(c.g));
            EXPECT_EQ(BitsOf(f.b), BitsOf(c.b));
            EXPECT_EQ(BitsOf(f.a), BitsOf(c.a));
        }
        EXPECT_EQ(BitsOf(out->Filter(r)), BitsOf(r));
        const Point3 p = out->Filter(Point3(r, -r, 2.0f));
        EXPECT_EQ(BitsOf(p.x), BitsOf(r));
        EXPECT_EQ(BitsOf(p.y), BitsOf(-r));
    }
}

TEST_F(DefaultOutput, TheOutputAmountScalesColourButNotAlpha) {
    Node* watcher = new Node;
    watcher->ReplaceReference(0, out, FALSE);
    out->SetOutputLevel(0, 2.0f);
    EXPECT_EQ(watcher->notifications, 1);
    const AColor f = out->Filter(AColor(0.25f, 0.5f, 1.5f, 0.5f));
    EXPECT_EQ(f, AColor(0.5f, 1.0f, 3.0f, 0.5f));
    EXPECT_EQ(out->Filter(0.25f), 0.5f);
    out->Reset();
    EXPECT_EQ(out->GetOutputLevel(0), 1.0f);
    EXPECT_EQ(watcher->notifications, 2);
    watcher->ReplaceReference(0, nullptr, FALSE);
    watcher->DeleteThis();
}

TEST_F(DefaultOutput, IsConstantInTime) {
    Interval valid(3, 7);
    out->Update(5, valid);
    EXPECT_EQ(valid, Interval(3, 7));
    Interval forever = FOREVER;
    out->Update(5, forever);
    EXPECT_EQ(forever, FOREVER);
    EXPECT_EQ(out->Validity(0), FOREVER);
}

TEST_F(DefaultOutput, IsAKnownClassAndCopiesItsSettings) {
    EXPECT_EQ(out->SuperClassID(), static_cast<SClass_ID>(TEXOUTPUT_CLASS_ID));
    EXPECT_NE(standin::ClassDirectory::Instance().Find(out->SuperClassID(), out->ClassID()), nullptr);
    out->SetOutputLevel(0, 0.75f);
    out->SetName(_M("glow"));
    out->gbufID = 4;
    auto* copy = static_cast<TextureOutput*>(standin::CloneObject(out));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetOutputLevel(0), 0.75f);
    EXPECT_EQ(copy->GetName(), MSTR(_M("glow")));
    EXPECT_EQ(copy->gbufID, 4u);
    copy->DeleteThis();
}

// MtlBase header ---------------------------------------------------------------

TEST(MtlBase, AssignmentCopiesNameAndGBufferIDOnly) {
    TestMap* a = new TestMap;
    TestMap* b = new TestMap;
    a->SetName(_M("Brass"));
    a->gbufID = 9;
    TextureOutput* bOut = b->texout;
    *static_cast<MtlBase*>(b) = *a;
    EXPECT_EQ(b->GetName(), MSTR(_M("Brass")));
    EXPECT_EQ(b->gbufID, 9u);
    EXPECT_EQ(b->texout, bOut);
    a->DeleteThis();
    b->DeleteThis();
}

TEST(MtlBase, HeaderRoundTripsThroughChunks) {
    TestMap* map = new TestMap;
    map->SetName(_M("Kupfer \u00e4 \U0001F600"));
    map->gbufID = 0xfedcba98u;
    std::vector<unsigned char> bytes;
    standin::ChunkWriter writer(bytes);
    writer.BeginChunk(0x4000);
    ASSERT_EQ(map->MtlBase::Save(&writer), IO_OK);
    writer.EndChunk();
    ASSERT_FALSE(writer.Failed()) << writer.Error();

    TestMap* loaded = new TestMap;
    standin::ChunkReader reader(bytes.data(), bytes.size());
    ASSERT_EQ(reader.OpenChunk(), IO_OK);
    EXPECT_EQ(loaded->MtlBase::Load(&reader), IO_OK);
    EXPECT_EQ(loaded->GetName(), map->GetName());
    EXPECT_EQ(loaded->gbufID, 0xfedcba98u);
    map->DeleteThis();
    loaded->DeleteThis();
}

// Header chunks as MtlBase writes them: 0x1000 a UTF-16 name, 0x1010 a
// 32-bit id.
TEST(MtlBase, MalformedHeadersFailToLoad) {
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"short G-buffer id", {0x10, 0x10, 8, 0, 0, 0, 1, 2}},
        {"name without terminator", {0x00, 0x10, 10, 0, 0, 0, 'A', 0, 'B', 0}},
        {"odd-length name", {0x00, 0x10, 9, 0, 0, 0, 'A', 0, 0}},
        {"name holding chunks", {0x00, 0x10, 12, 0, 0, 0x80, 1, 0, 6, 0, 0, 0}},
        {"chunk longer than its data", {0x10, 0x10, 40, 0, 0, 0, 1, 2, 3, 4}},
        {"truncated header", {0x10, 0x10, 10}},
    };
    for (const Case& c : cases) {
        TestMap* map = new TestMap;
        standin::ChunkReader reader(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(map->MtlBase::Load(&reader), IO_ERROR) << c.what;
        map->DeleteThis();
    }
}

// Texmap and sub-maps ----------------------------------------------------------

TEST(Texmap, EvalMonoIsTheMeanOfEvalColor) {
    TestMap* map = new TestMap;
    standin::SimpleShadeContext sc(Point3(0.2f, 0.4f, 0.9f), Point3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(map->EvalMono(sc), (0.2f + 0.4f + 0.9f) / 3.0f);
    EXPECT_EQ(map->SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    map->DeleteThis();
}

TEST(Texmap, TrackViewNamesOfSubMaps) {
    TestMap* map = new TestMap;
    EXPECT_EQ(map->GetSubTexmapTVName(0), MSTR(_M("Map #1")));
    EXPECT_EQ(map->GetSubTexmapTVName(2, false), MSTR(_M("Map #3")));
    map->slotName = _M("Bump");
    EXPECT_EQ(map->GetSubTexmapTVName(0), MSTR(_M("Bump")));
    EXPECT_EQ(map->GetRefTarget(), map);
    map->DeleteThis();
}

TEST(Texmap, SetSubTexmapIsAReferenceLikeAnyOther) {
    TestMap* map = new TestMap;
    TestMap* sub = new TestMap;
    map->SetSubTexmap(0, sub);
    EXPECT_EQ(map->GetSubTexmap(0), sub);
    map->DeleteThis();
    EXPECT_EQ(TestMap::Alive(), 0);
}

// Colours ------------------------------------------------------------------------

TEST(AColor, ClampMinMaxLimitsEachComponentAndLetsNaNThrough) {
    const float nan = FloatFromBits(0x7fc00042);
    struct Case {
        float in, out;
    };
    const Case cases[] = {{-0.5f, 0.0f},
                          {0.0f, 0.0f},
                          {0.3f, 0.3f},
                          {1.0f, 1.0f},
                          {1.5f, 1.0f},
                          {std::numeric_limits<float>::infinity(), 1.0f},
                          {-std::numeric_limits<float>::infinity(), 0.0f},
                          {nan, nan}};
    for (const Case& c : cases) {
        AColor color(c.in, c.in, c.in, c.in);
        color.ClampMinMax();
        for (float v : {color.r, color.g, color.b, color.a}) EXPECT_EQ(BitsOf(v), BitsOf(c.out)) << c.in;
    }
}

// Class directory ---------------------------------------------------------------

TEST(ClassDirectory, FindsBuiltInAndAddedClassesByIdentity) {
    standin::ClassDirectory& dir = standin::ClassDirectory::Instance();
    EXPECT_NE(dir.Find(PARAMETER_BLOCK2_CLASS_ID, Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0)), nullptr);
    ClassDesc* cd = fixture::GetTestMapDesc();
    dir.Remove(cd);
    EXPECT_EQ(dir.Find(TEXMAP_CLASS_ID, cd->ClassID()), nullptr);
    EXPECT_TRUE(dir.Add(cd));
    EXPECT_FALSE(dir.Add(cd)) << "one class per identity";
    EXPECT_EQ(dir.Find(TEXMAP_CLASS_ID, cd->ClassID()), cd);
    EXPECT_EQ(dir.Find(MATERIAL_CLASS_ID, cd->ClassID()), nullptr) << "the super class is part of the identity";
    bool listed = false;
    for (int i = 0; i < dir.Count(); ++i) listed = listed || dir.Get(i) == cd;
    EXPECT_TRUE(listed);
}

}  // namespace
