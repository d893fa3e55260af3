// Saving over a scene file on disk: a save that fails says so and leaves the
// previous file as it was.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstdio>
#include <string>

#include "files/input_file.h"
#include "map_state.h"
#include "module_fixture/module_fixture.h"
#include "standin/scene_file.h"
#include "test_support/scratch_folder.h"

namespace aurivel_test {
namespace {

std::string ReadFile(const std::string& path) { return aurivel::files::ReadWholeFile(path, {1 << 20, "a test scene"}); }

// A scene file on disk, saved once, and a second scene to save over it.
class SavedSceneFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_EQ(standin::SaveScene(path, first.get(), &error), IO_OK) << error;
        previous = ReadFile(path);
        second.Set(pb_gamma, 3.0f);
    }

    // The failed save reported itself, and the file holds the first scene.
    void ExpectSaveFailsAndFileIntact() {
        std::string error;
        EXPECT_EQ(standin::SaveScene(path, second.get(), &error), IO_ERROR);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadFile(path), previous);
        IOResult result = IO_ERROR;
        MapHandle loaded(static_cast<Texmap*>(standin::LoadScene(path, &result, &error)));
        ASSERT_NE(loaded.get(), nullptr) << error;
        EXPECT_EQ(DescribeMap(loaded.get()), DescribeMap(first.get()));
    }

    MapHandle first{RichScene()};
    MapHandle second;
    const test_support::ScratchFolder folder{test_support::TemporaryFolder(),
                                             test_support::ProcessName("aurivel-faults")};
    const std::string path = folder / "scene.max";
    std::string previous;
};

// Windows has no per-process limit on file size, so a write that breaks off
// is tested on POSIX systems only.
#ifndef _WIN32
bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

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
        EXPECT_FALSE(FileExists(path + ".saving")) << "the broken temporary file stayed";
    }
}
#endif

TEST_F(SavedSceneFile, ATemporaryFileThatCannotBeMadeLeavesThePreviousFile) {
    // Something else already stands where the temporary file would go.
    folder.MakeFolder("scene.max.saving/in-use");
    ExpectSaveFailsAndFileIntact();
}

// A read-only attribute on a Windows folder does not stop files being made in
// it (only its access control list does).
#ifndef _WIN32
TEST_F(SavedSceneFile, AReadOnlyFolderLeavesThePreviousFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    chmod(folder.Path().c_str(), 0500);
    ExpectSaveFailsAndFileIntact();
}
#endif

}  // namespace
}  // namespace aurivel_test
