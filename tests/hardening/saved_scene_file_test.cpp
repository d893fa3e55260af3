// Saving over a scene file on disk: a save that fails says so and leaves the
// previous file as it was.
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

std::vector<unsigned char> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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

}  // namespace
}  // namespace aurivel_test
