// Files that are not what they claim, or not files at all: each is refused
// within a second and without taking 64 MB, whatever its size. The reader
// runs in a child process that is killed at the deadline; the memory it took
// is its peak resident size less that of a child that reads nothing.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "nk_database.h"
#include "nk_error.h"
#include "nk_file.h"
#include "standin/scene_file.h"

// A child's peak memory is to be its reader's: AddressSanitizer holds freed
// memory back to catch later use of it, which would count as the reader's.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=0"; }
#endif
#endif

namespace {

namespace fs = std::filesystem;

constexpr auto kDeadline = std::chrono::seconds(1);
constexpr long kMemoryKiB = 64 * 1024;

// A reader's refusal, or empty when it accepts the file.
using Reader = std::function<std::string(const std::string& path)>;

std::string LoadScene(const std::string& path) {
    std::string error;
    if (ReferenceTarget* root = standin::LoadScene(path, nullptr, &error)) root->DeleteThis();
    return error;
}

// The n/k readers' refusal of what `read` reads, or empty when it takes it.
template <typename Read>
std::string DataRefusal(Read read) {
    try {
        read();
    } catch (const aurivel::nkdata::DataError& e) {
        return e.what();
    }
    return {};
}

// --nk FILE, in whichever format its first line tells.
std::string ReadDataFile(const std::string& path) {
    return DataRefusal([&] { aurivel::nkdata::ReadNkFile(path); });
}

// --nk-csv FILE.
std::string ReadCsvExport(const std::string& path) {
    return DataRefusal([&] { aurivel::nkdata::ReadSiteCsvFile(path); });
}

// --nk-db DIR: its catalog-nk.yml.
std::string OpenDatabase(const std::string& path) {
    return DataRefusal([&] { aurivel::nkdata::NkDatabase::Open(path); });
}

struct ChildRun {
    bool inTime = false;
    std::string refusal;
    long peakKiB = 0;
};

// Runs `reading` in a child that reports through a pipe, waiting no longer
// than the deadline.
ChildRun RunInChild(const std::function<std::string()>& reading) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string refusal = reading();
        const bool sent = write(channel[1], refusal.data(), refusal.size()) == static_cast<ssize_t>(refusal.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildRun run;
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            close(channel[0]);
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.inTime = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    char buffer[4096];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) run.refusal.append(buffer, got);
    close(channel[0]);
    run.peakKiB = usage.ru_maxrss;
    return run;
}

std::string LittleEndian32(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    return bytes;
}

// A scene's signature and format version, then chunk headers of the given
// ids and lengths, each holding chunks.
std::string SceneStart(const std::vector<std::pair<uint16_t, uint32_t>>& chunks) {
    std::string bytes("MXSCENE\x1a", 8);
    bytes += LittleEndian32(1);
    for (const auto& [id, length] : chunks) {
        bytes += LittleEndian32(id).substr(0, 2);
        bytes += LittleEndian32(length | 0x80000000u);
    }
    return bytes;
}

class BoundedInput : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("bounded_input_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A file of `start`, then zeros up to `size` bytes that take no room.
    std::string Sparse(const std::string& name, const std::string& start, uintmax_t size) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << start;
        fs::resize_file(path, size);
        return path;
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(BoundedInput, EveryReaderRefusesWhatIsNotItsOwnInTimeAndInLittleMemory) {
    constexpr uintmax_t kGiB = uintmax_t{1} << 30;
    constexpr uintmax_t kMiB = uintmax_t{1} << 20;
    const std::string folder = Path("folder");
    fs::create_directory(folder);
    const std::string fifo = Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zeros = Sparse("zeros", "", 3 * kGiB);
    const std::string hugeScene = Sparse("huge.scene", SceneStart({}), 3 * kGiB);
    const std::string overclaiming = Sparse("overclaiming.scene", SceneStart({{0x5c00, 0x7fffffff}}), 18);
    const std::string hugeObject =
        Sparse("huge_object.scene", SceneStart({{0x5c00, 20 * kMiB - 12}, {0x5c01, 17 * kMiB}}), 20 * kMiB);
    const std::string longLine = Sparse("long_line.csv", "wl,n\n", 100 * 1000 * 1000);
    const std::string wideLine = Sparse("wide_line.csv", "wl,n\n", 15 * kMiB);
    const std::string hugeYaml = Sparse("huge.yml", "REFERENCES: x\nDATA:\n", 3 * kGiB);
    const std::string wideTable = Sparse("wide_line.txt", "# um n k\n0.4 1 2\n", 15 * kMiB);
    // A data file's worth of values on one line, each a word to split at.
    const std::string oneLineOfValues = [&] {
        std::string yaml = "DATA: [";
        while (yaml.size() < 15 * kMiB) yaml += "0,";
        yaml += "0]\n";
        return Sparse("one_line.yml", yaml, yaml.size());
    }();
    // As many values one to a line, each of which the YAML library would
    // make a node of.
    const std::string linesOfValues = [&] {
        std::string yaml = "DATA:\n";
        while (yaml.size() < 15 * kMiB) yaml += "- 0\n";
        return Sparse("lines_of_values.yml", yaml, yaml.size());
    }();
    const std::string fifoCatalog = Path("catalog-nk.yml");
    ASSERT_EQ(mkfifo(fifoCatalog.c_str(), 0600), 0);

    const struct {
        const char* what;
        Reader reader;
        std::string path;
        std::string refusal;
    } cases[] = {
        {"/dev/zero as a scene", LoadScene, "/dev/zero", "/dev/zero is not a regular file"},
        {"/dev/zero as a data file", ReadDataFile, "/dev/zero", "/dev/zero is not a regular file"},
        {"3 GiB of zeros as a scene", LoadScene, zeros, zeros + ": not a scene file"},
        {"3 GiB of zeros as a data file", ReadDataFile, zeros,
         zeros + " is larger than the 16 MiB a data file may have"},
        {"a 3 GiB scene", LoadScene, hugeScene,
         hugeScene + ": the scene takes 3221225472 bytes, more than the 64 MiB a scene may have"},
        {"a folder as a scene", LoadScene, folder, folder + " is a directory"},
        {"a folder as a data file", ReadDataFile, folder, folder + " is a directory"},
        {"a FIFO as a scene", LoadScene, fifo, fifo + " is not a regular file"},
        {"a FIFO as a data file", ReadDataFile, fifo, fifo + " is not a regular file"},
        {"a chunk claiming more than the file", LoadScene, overclaiming,
         overclaiming + ": scene: chunk 0x5c00 at offset 12 claims 2147483647 bytes where 6 remain"},
        {"an object past the largest", LoadScene, hugeObject,
         hugeObject + ": object 0: its chunk of 17825792 bytes is larger than the 16 MiB an object may have"},
        {"a data file with a 100 MB line", ReadDataFile, longLine,
         longLine + " is larger than the 16 MiB a data file may have"},
        {"a CSV export with a line past the longest", ReadCsvExport, wideLine,
         wideLine + ": line 2 is longer than the 64 KiB a line may have"},
        {"a sparse 3 GiB YAML file", ReadDataFile, hugeYaml,
         hugeYaml + " is larger than the 16 MiB a data file may have"},
        {"a plain table with a line past the longest", ReadDataFile, wideTable,
         wideTable + ": line 3 is longer than the 64 KiB a line may have"},
        {"/dev/zero as a CSV export", ReadCsvExport, "/dev/zero", "/dev/zero is not a regular file"},
        {"15 MiB of values on one line", ReadDataFile, oneLineOfValues,
         oneLineOfValues + ": line 1 is longer than the 64 KiB a line may have"},
        {"15 MiB of YAML values one to a line", ReadDataFile, linesOfValues,
         linesOfValues + ":99999: more than the 100000 values a YAML data file may have"},
        {"a database whose catalog is a FIFO", OpenDatabase, dir_.string(), fifoCatalog + " is not a regular file"},
    };
    const long idleKiB = RunInChild([] { return std::string(); }).peakKiB;
    for (const auto& c : cases) {
        const ChildRun run = RunInChild([&] { return c.reader(c.path); });
        EXPECT_TRUE(run.inTime) << c.what << ": not refused within " << kDeadline.count() << " s";
        EXPECT_EQ(run.refusal, c.refusal) << c.what;
        EXPECT_LT(run.peakKiB - idleKiB, kMemoryKiB) << c.what;
    }
}

}  // namespace
