// Scene files: round trips with shared objects, failing saves, and damaged
// files of every kind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "max.h"
#include "standin/chunk_io.h"
#include "standin/class_directory.h"
#include "standin/scene_file.h"
#include "test_classes.h"

using fixture::Node;
using fixture::TestMap;
using fixture::tm_gain;
using fixture::tm_mode;
using fixture::tm_output;

namespace {

class SceneFile : public ::testing::Test {
protected:
    void SetUp() override { fixture::RegisterTestClasses(); }
    void TearDown() override {
        AnimateOff();
        EXPECT_EQ(Node::Alive(), 0) << "a node leaked";
        EXPECT_EQ(TestMap::Alive(), 0) << "a map leaked";
    }

    // root -> [map, shared, holder]; holder -> [shared]; map's block has a
    // key, a changed int, a name, a G-buffer id and an output amount.
    static Node* BuildScene() {
        Node* root = new Node(1);
        TestMap* map = new TestMap;
        Node* shared = new Node(2);
        Node* holder = new Node(3);
        root->ReplaceReference(0, map);
        root->ReplaceReference(1, shared);
        root->ReplaceReference(2, holder);
        holder->ReplaceReference(0, shared);
        AnimateOn();
        map->pblock->SetValue(tm_gain, 100, 4.0f);
        AnimateOff();
        map->pblock->SetValue(tm_mode, 0, 9);
        map->SetName(_M("Brass"));
        map->gbufID = 7;
        map->texout->SetOutputLevel(0, 0.5f);
        return root;
    }

    static std::vector<unsigned char> Save(ReferenceTarget* root) {
        std::vector<unsigned char> bytes;
        std::string error;
        EXPECT_EQ(standin::SaveSceneToBytes(root, bytes, SIZE_MAX, &error), IO_OK) << error;
        return bytes;
    }

    static ReferenceTarget* Load(const std::vector<unsigned char>& bytes, std::string* error = nullptr) {
        IOResult result = IO_END;
        std::string message;
        ReferenceTarget* root = standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &message);
        EXPECT_EQ(result, root ? IO_OK : IO_ERROR);
        EXPECT_EQ(message.empty(), root != nullptr) << message;
        if (error) *error = message;
        return root;
    }
};

TEST_F(SceneFile, RoundTripKeepsValuesAndSharing) {
    Node* original = BuildScene();
    const std::vector<unsigned char> bytes = Save(original);
    original->DeleteThis();
    ASSERT_EQ(Node::Alive(), 0);

    auto* root = dynamic_cast<Node*>(Load(bytes));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->label, 1);
    auto* map = dynamic_cast<TestMap*>(root->refs[0]);
    auto* shared = dynamic_cast<Node*>(root->refs[1]);
    auto* holder = dynamic_cast<Node*>(root->refs[2]);
    ASSERT_TRUE(map && shared && holder);
    EXPECT_EQ(holder->refs[0], shared) << "shared objects stay shared";
    EXPECT_EQ(shared->label, 2);
    EXPECT_EQ(Node::Alive(), 3);
    EXPECT_EQ(TestMap::Alive(), 1);

    IParamBlock2* block = map->pblock;
    EXPECT_EQ(block->GetOwner(), map);
    EXPECT_EQ(block->GetFloat(tm_gain, 0), 1.0f);
    EXPECT_EQ(block->GetFloat(tm_gain, 100), 4.0f);
    Interval valid = FOREVER;
    float gain = 0.0f;
    block->GetValue(tm_gain, 50, gain, valid);
    EXPECT_EQ(valid, Interval(TIME_NegInfinity, 99)) << "keys come back as keys";
    EXPECT_EQ(block->GetInt(tm_mode), 9);
    EXPECT_EQ(block->GetReferenceTarget(tm_output), map->texout);
    EXPECT_EQ(map->GetName(), MSTR(_M("Brass")));
    EXPECT_EQ(map->gbufID, 7u);
    EXPECT_EQ(map->texout->GetOutputLevel(0), 0.5f);

    EXPECT_EQ(Save(root), bytes) << "saving the loaded scene gives the same file";
    root->DeleteThis();
}

// A map relies on the objects its constructor gives it: a scene that leaves
// such a slot empty is refused rather than loaded into a map that would fail
// when evaluated.
TEST_F(SceneFile, AMapWithoutItsOutputObjectIsRefused) {
    Node* root = new Node;
    TestMap* map = new TestMap;
    root->ReplaceReference(0, map);
    map->ReplaceReference(1, nullptr);  // the constructor's output object goes
    const std::vector<unsigned char> bytes = Save(root);
    root->DeleteThis();
    IOResult result = IO_OK;
    std::string error;
    EXPECT_EQ(standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &error), nullptr);
    EXPECT_EQ(result, IO_ERROR);
    EXPECT_NE(error.find("reference 1 does not hold the kind of object"), std::string::npos) << error;
}

// What the host would refuse to load, it does not save.
TEST_F(SceneFile, AnObjectLargerThanTheLoaderTakesIsNotSaved) {
    Node* root = new Node;
    TestMap* map = new TestMap;
    root->ReplaceReference(0, map);
    map->SetName(std::wstring(standin::kLargestObjectChunk / 2, L'x').c_str());
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_EQ(standin::SaveSceneToBytes(root, bytes, SIZE_MAX, &error), IO_ERROR);
    EXPECT_NE(error.find("object 1 (TestMap): its chunk of "), std::string::npos) << error;
    EXPECT_NE(error.find(" bytes is larger than the 16 MiB an object may have"), std::string::npos) << error;
    root->DeleteThis();
}

TEST_F(SceneFile, SavingFailsAtEveryByteBeforeTheEnd) {
    Node* root = BuildScene();
    const std::vector<unsigned char> full = Save(root);
    for (size_t limit = 0; limit < full.size(); ++limit) {
        std::vector<unsigned char> bytes;
        std::string error;
        EXPECT_EQ(standin::SaveSceneToBytes(root, bytes, limit, &error), IO_ERROR) << "limit " << limit;
        EXPECT_FALSE(error.empty());
        EXPECT_LE(bytes.size(), limit);
    }
    std::vector<unsigned char> bytes;
    EXPECT_EQ(standin::SaveSceneToBytes(root, bytes, full.size()), IO_OK);
    EXPECT_EQ(bytes, full);
    root->DeleteThis();
}

TEST_F(SceneFile, AnObjectThatFailsToSaveFailsTheScene) {
    Node* root = new Node;
    Node* bad = new Node;
    bad->failSave = true;
    root->ReplaceReference(1, bad);
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_EQ(standin::SaveSceneToBytes(root, bytes, SIZE_MAX, &error), IO_ERROR);
    EXPECT_NE(error.find("object 1 (Node)"), std::string::npos) << error;
    root->DeleteThis();
}

TEST_F(SceneFile, EveryTruncationFailsAndLeavesNothing) {
    Node* root = BuildScene();
    const std::vector<unsigned char> bytes = Save(root);
    root->DeleteThis();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const std::vector<unsigned char> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        EXPECT_EQ(Load(part), nullptr) << "cut at " << cut;
        ASSERT_EQ(Node::Alive(), 0) << "cut at " << cut;
        ASSERT_EQ(TestMap::Alive(), 0) << "cut at " << cut;
    }
}

TEST_F(SceneFile, RandomCorruptionNeverCrashesNorLeaks) {
    Node* root = BuildScene();
    const std::vector<unsigned char> bytes = Save(root);
    root->DeleteThis();
    std::mt19937 random(7351);
    int refused = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<unsigned char> damaged = bytes;
        const int flips = 1 + static_cast<int>(random() % 3);
        for (int f = 0; f < flips; ++f)
            damaged[random() % damaged.size()] ^= static_cast<unsigned char>(1u << (random() % 8));
        if (ReferenceTarget* loaded = Load(damaged))
            loaded->DeleteThis();
        else
            ++refused;
        ASSERT_EQ(Node::Alive(), 0) << "trial " << trial;
        ASSERT_EQ(TestMap::Alive(), 0) << "trial " << trial;
    }
    EXPECT_GT(refused, 0);
}

// A scene written by hand: objects of class Node with the given references
// (slot, object index or -1).
std::vector<unsigned char> HandMadeScene(const std::vector<std::vector<std::pair<int32_t, int32_t>>>& objects,
                                         uint32_t version = 1) {
    std::vector<unsigned char> bytes = {'M', 'X', 'S', 'C', 'E', 'N', 'E', 0x1a, static_cast<unsigned char>(version),
                                        0,   0,   0};
    standin::ChunkWriter w(bytes);
    auto u32 = [&](uint32_t v) {
        ULONG n = 0;
        const unsigned char le[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                     static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        w.Write(le, 4, &n);
    };
    const Class_ID node = fixture::GetNodeDesc()->ClassID();
    w.BeginChunk(0x5c00);
    for (const auto& refs : objects) {
        w.BeginChunk(0x5c01);
        w.BeginChunk(0x5c02);
        u32(REF_TARGET_CLASS_ID);
        u32(static_cast<uint32_t>(node.PartA()));
        u32(static_cast<uint32_t>(node.PartB()));
        w.EndChunk();
        w.BeginChunk(0x5c03);
        w.EndChunk();
        w.BeginChunk(0x5c04);
        u32(static_cast<uint32_t>(refs.size()));
        for (const auto& ref : refs) {
            u32(static_cast<uint32_t>(ref.first));
            u32(static_cast<uint32_t>(ref.second));
        }
        w.EndChunk();
        w.EndChunk();
    }
    w.EndChunk();
    return bytes;
}

TEST_F(SceneFile, HandMadeScenesLoadOrFailWithAReason) {
    ASSERT_NE(HandMadeScene({{{0, 1}}, {}}).size(), 0u);
    Node* fine = dynamic_cast<Node*>(Load(HandMadeScene({{{0, 1}, {2, 1}}, {}})));
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(fine->refs[0], fine->refs[2]);
    fine->DeleteThis();

    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        const char* reason;
    };
    std::vector<unsigned char> badMagic = HandMadeScene({{}});
    badMagic[0] = 'X';
    const Case cases[] = {
        {"bad magic", badMagic, "not a scene file"},
        {"newer version", HandMadeScene({{}}, 2), "version 2 is not supported"},
        {"no objects", HandMadeScene({}), "no objects"},
        {"loop", HandMadeScene({{{0, 1}}, {{0, 0}}}), "loop"},
        {"unreached object", HandMadeScene({{}, {}}), "object 1 is not reached"},
        {"slot out of range", HandMadeScene({{{3, -1}}}), "reference 3 is out of range"},
        {"slot twice", HandMadeScene({{{0, -1}, {0, -1}}}), "given twice"},
        {"object out of range", HandMadeScene({{{0, 5}}}), "names object 5 of 1"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(Load(c.bytes, &error), nullptr) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(Node::Alive(), 0) << c.what;
    }
}

TEST_F(SceneFile, AnUnknownClassCannotBeSavedOrLoaded) {
    Node* root = BuildScene();
    const std::vector<unsigned char> bytes = Save(root);
    standin::ClassDirectory::Instance().Remove(fixture::GetTestMapDesc());
    std::vector<unsigned char> ignored;
    std::string error;
    EXPECT_EQ(standin::SaveSceneToBytes(root, ignored, SIZE_MAX, &error), IO_ERROR);
    EXPECT_NE(error.find("not registered"), std::string::npos) << error;
    EXPECT_EQ(Load(bytes, &error), nullptr);
    EXPECT_NE(error.find("no class has super class 0xc10"), std::string::npos) << error;
    fixture::RegisterTestClasses();
    root->DeleteThis();
}

class SceneOnDisk : public SceneFile {
protected:
    void SetUp() override {
        SceneFile::SetUp();
        dir =
            std::filesystem::temp_directory_path() / ("standin_scene_" + std::to_string(std::random_device{}()) + "_" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "scene.max").string();
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        SceneFile::TearDown();
    }

    static std::vector<unsigned char> Contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir;
    std::string path;
};

TEST_F(SceneOnDisk, SaveAndLoadAFile) {
    Node* root = BuildScene();
    std::string error;
    ASSERT_EQ(standin::SaveScene(path, root, &error), IO_OK) << error;
    EXPECT_EQ(Contents(path), Save(root));
    root->DeleteThis();
    IOResult result = IO_ERROR;
    ReferenceTarget* loaded = standin::LoadScene(path, &result, &error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(result, IO_OK);
    loaded->DeleteThis();
}

TEST_F(SceneOnDisk, AFailedSaveLeavesThePreviousFileAsItWas) {
    Node* root = BuildScene();
    ASSERT_EQ(standin::SaveScene(path, root, nullptr), IO_OK);
    const std::vector<unsigned char> before = Contents(path);
    Node* bad = new Node;
    bad->failSave = true;
    static_cast<Node*>(root->refs[2])->ReplaceReference(1, bad);
    std::string error;
    EXPECT_EQ(standin::SaveScene(path, root, &error), IO_ERROR);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Contents(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
    root->DeleteThis();
}

TEST_F(SceneOnDisk, UnwritableAndMissingFilesAreReported) {
    Node* root = new Node;
    std::string error;
    EXPECT_EQ(standin::SaveScene((dir / "no" / "such" / "dir.max").string(), root, &error), IO_ERROR);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    std::filesystem::create_directories(dir / "occupied");
    EXPECT_EQ(standin::SaveScene((dir / "occupied").string(), root, &error), IO_ERROR);
    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists((dir / "occupied").string() + ".saving"));
    root->DeleteThis();
    IOResult result = IO_OK;
    EXPECT_EQ(standin::LoadScene((dir / "absent.max").string(), &result, &error), nullptr);
    EXPECT_EQ(result, IO_ERROR);
    EXPECT_EQ(error, (dir / "absent.max").string() + " does not exist");
}

}  // namespace
