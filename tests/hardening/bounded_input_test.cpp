// Files that are not what they claim, or not files at all: each is refused
// after reading no more than its first line's worth (or, for a reader that
// takes a data file whole, the most a data file may have) and without
// taking 64 MB, whatever its size. The reader runs in a child process, which
// counts the bytes it reads (the kernel's count of its reads, so that the
// readers pay nothing for it); the memory it took is its peak resident size
// less that of a child that reads nothing. A reader that hangs (blocked on a
// FIFO, or reading without end) is killed at a deadline far beyond any
// reading's time, even a sanitized one on a busy machine.
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "nkdata/nk_database.h"
#include "nkdata/nk_error.h"
#include "nkdata/nk_file.h"
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

constexpr auto kHang = std::chrono::seconds(60);
constexpr long kMemoryKiB = 64 * 1024;
// The most a reader may read of a file it refuses: the longest line (64 KiB)
// when it tells from what the file is, its size or its start; the largest
// data file (16 MiB) when it reads a data file whole before it looks.
constexpr uint64_t kFirstLine = 64 << 10;
constexpr uint64_t kWholeDataFile = 16 << 20;

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
    bool finished = false;
    std::string refusal;
    uint64_t bytesRead = 0;
    long peakKiB = 0;
};

// The bytes this process has read from files, devices and pipes so far.
uint64_t BytesReadSoFar() {
    std::FILE* io = std::fopen("/proc/self/io", "r");
    unsigned long long bytes = 0;
    if (io) {
        if (std::fscanf(io, "rchar: %llu", &bytes) != 1) bytes = 0;
        std::fclose(io);
    }
    return bytes;
}

// What the child wrote until it closed the pipe, or nothing if it was not
// done by the deadline; no waiting once it is.
bool ReadUntilClosed(int pipe, std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + kHang;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{pipe, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
        char buffer[4096];
        const ssize_t got = read(pipe, buffer, sizeof buffer);
        if (got <= 0) return got == 0;
        text.append(buffer, static_cast<size_t>(got));
    }
}

// Runs `reading` in a child that reports through a pipe the bytes it read
// and the refusal.
ChildRun RunInChild(const std::function<std::string()>& reading) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const uint64_t before = BytesReadSoFar();
        const std::string refusal = reading();
        const std::string report = std::to_string(BytesReadSoFar() - before) + "\n" + refusal;
        const bool sent = write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildRun run;
    std::string report;
    const bool closed = ReadUntilClosed(channel[0], report);
    close(channel[0]);
    if (!closed) kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.finished = closed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const size_t end = report.find('\n');
    if (run.finished && end != std::string::npos) {
        run.bytesRead = std::stoull(report.substr(0, end));
        run.refusal = report.substr(end + 1);
    }
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

TEST_F(BoundedInput, EveryReaderRefusesWhatIsNotItsOwnAfterLittleReadingAndInLittleMemory) {
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
        uint64_t mostRead = kFirstLine;
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
         wideLine + ": line 2 is longer than the 64 KiB a line may have", kWholeDataFile},
        {"a sparse 3 GiB YAML file", ReadDataFile, hugeYaml,
         hugeYaml + " is larger than the 16 MiB a data file may have"},
        {"a plain table with a line past the longest", ReadDataFile, wideTable,
         wideTable + ": line 3 is longer than the 64 KiB a line may have", kWholeDataFile},
        {"/dev/zero as a CSV export", ReadCsvExport, "/dev/zero", "/dev/zero is not a regular file"},
        {"15 MiB of values on one line", ReadDataFile, oneLineOfValues,
         oneLineOfValues + ": line 1 is longer than the 64 KiB a line may have", kWholeDataFile},
        {"15 MiB of YAML values one to a line", ReadDataFile, linesOfValues,
         linesOfValues + ":99999: more than the 100000 values a YAML data file may have", kWholeDataFile},
        {"a database whose catalog is a FIFO", OpenDatabase, dir_.string(), fifoCatalog + " is not a regular file"},
    };
    const long idleKiB = RunInChild([] { return std::string(); }).peakKiB;
    for (const auto& c : cases) {
        const ChildRun run = RunInChild([&] { return c.reader(c.path); });
        EXPECT_TRUE(run.finished) << c.what << ": no answer within " << kHang.count() << " s";
        EXPECT_EQ(run.refusal, c.refusal) << c.what;
        EXPECT_LE(run.bytesRead, c.mostRead) << c.what;
        EXPECT_LT(run.peakKiB - idleKiB, kMemoryKiB) << c.what;
    }
}

}  // namespace
