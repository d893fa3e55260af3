// Saves that break off and files cut short: a failed save says so and leaves
// the previous file as it was; a damaged file fails to load and leaves no
// half-made map behind (the asan stage's LeakSanitizer sees the rest).
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "map_state.h"
#include "module_fixture.h"
#include "standin/scene_file.h"

namespace aurivel_test {
namespace {

namespace fs = std::filesystem;

// A map with edited and animated values, a name and a G-buffer id, and a
// chain of two sub-maps of which the last shares the top map's output.
Texmap* RichScene() {
    Texmap* top = Module::NewMap();
    IParamBlock2* block = top->GetParamBlock(0);
    block->SetValue(pb_preset, 0, 3);
    block->SetValue(pb_kr, 0, 1.25f);
    block->SetValue(pb_hue, 0, -30.0f);
    top->SetName(MSTR(L"Brass \u00e9"));
    top->gbufID = 7;

    Texmap* sub = Module::NewMap();
    AnimateOn();
    sub->GetParamBlock(0)->SetValue(pb_gamma, 160, 1.8f);
    sub->GetParamBlock(0)->SetValue(pb_sat, 320, 40.0f);
    AnimateOff();

    Texmap* innermost = Module::NewMap();
    innermost->ReplaceReference(1, top->GetReference(1));
    sub->SetSubTexmap(0, innermost);
    top->SetSubTexmap(0, sub);
    return top;
}

std::vector<unsigned char> SaveBytes(Texmap* map) {
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_EQ(standin::SaveSceneToBytes(map, bytes, SIZE_MAX, &error), IO_OK) << error;
    return bytes;
}

std::vector<unsigned char> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SaveFaults, AWriteFailingAtAnyByteReportsAnErrorAndChangesNoObject) {
    MapHandle map(RichScene());
    const std::vector<unsigned char> whole = SaveBytes(map.get());
    const std::string before = DescribeMap(map.get());
    for (size_t limit = 0; limit < whole.size(); ++limit) {
        std::vector<unsigned char> out;
        std::string error;
        EXPECT_EQ(standin::SaveSceneToBytes(map.get(), out, limit, &error), IO_ERROR) << limit;
        EXPECT_FALSE(error.empty()) << limit;
        EXPECT_LE(out.size(), limit);
    }
    EXPECT_EQ(SaveBytes(map.get()), whole);
    EXPECT_EQ(DescribeMap(map.get()), before);
    RecordProperty("faults", static_cast<int>(whole.size()));
}

// A scene file on disk, saved once, and a second scene to save over it.
class SavedSceneFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("aurivel-faults-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "scene.max";
        std::string error;
        ASSERT_EQ(standin::SaveScene(path.string(), first.get(), &error), IO_OK) << error;
        previous = ReadFile(path);
        second.Set(pb_gamma, 3.0f);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }

    // The failed save reported itself, and the file holds the first scene.
    void ExpectSaveFailsAndFileIntact() {
        std::string error;
        EXPECT_EQ(standin::SaveScene(path.string(), second.get(), &error), IO_ERROR);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadFile(path), previous);
        IOResult result = IO_ERROR;
        MapHandle loaded(static_cast<Texmap*>(standin::LoadScene(path.string(), &result, &error)));
        ASSERT_NE(loaded.get(), nullptr) << error;
        EXPECT_EQ(DescribeMap(loaded.get()), DescribeMap(first.get()));
    }

    MapHandle first{RichScene()};
    MapHandle second;
    fs::path folder;
    fs::path path;
    std::vector<unsigned char> previous;
};

// Windows has no per-process limit on file size, so a write that breaks off
// is tested on POSIX systems only.
#ifndef _WIN32
// The process may write no further than `bytes` into any file: writes past
// it fail (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(SavedSceneFile, AWriteThatBreaksOffLeavesThePreviousFile) {
    const rlim_t size = SaveBytes(second.get()).size();
    for (rlim_t bytes : {rlim_t{0}, rlim_t{11}, size / 2, size - 1}) {
        SCOPED_TRACE("file size limit " + std::to_string(bytes));
        {
            FileSizeLimit limit(bytes);
            ExpectSaveFailsAndFileIntact();
        }
        EXPECT_FALSE(fs::exists(path.string() + ".saving")) << "the broken temporary file stayed";
    }
}
#endif

TEST_F(SavedSceneFile, ATemporaryFileThatCannotBeMadeLeavesThePreviousFile) {
    // Something else already stands where the temporary file would go.
    fs::create_directories(folder / "scene.max.saving" / "in-use");
    ExpectSaveFailsAndFileIntact();
}

// A read-only attribute on a Windows folder does not stop files being made in
// it (only its access control list does).
#ifndef _WIN32
TEST_F(SavedSceneFile, AReadOnlyFolderLeavesThePreviousFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectSaveFailsAndFileIntact();
}
#endif

TEST(LoadFaults, AFileCutAtAnyByteFailsWithoutAHalfMadeMap) {
    MapHandle map(RichScene());
    const std::vector<unsigned char> bytes = SaveBytes(map.get());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        IOResult result = IO_OK;
        std::string error;
        ReferenceTarget* loaded = standin::LoadSceneFromBytes(bytes.data(), cut, &result, &error);
        EXPECT_EQ(loaded, nullptr) << cut;
        EXPECT_EQ(result, IO_ERROR) << cut;
        EXPECT_FALSE(error.empty()) << cut;
        if (loaded) loaded->DeleteThis();
    }
    IOResult result = IO_ERROR;
    std::string error;
    MapHandle whole(static_cast<Texmap*>(standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &error)));
    ASSERT_NE(whole.get(), nullptr) << error;
    EXPECT_EQ(DescribeMap(whole.get()), DescribeMap(map.get()));
    RecordProperty("faults", static_cast<int>(bytes.size()));
}

}  // namespace
}  // namespace aurivel_test
