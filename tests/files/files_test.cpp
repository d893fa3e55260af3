// Reading and writing files: which paths open, and how much of a file or a
// line is read. Portable, so that the Windows build runs it under Wine too.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/file_identity.h"
#include "files/input_file.h"
#include "files/line_reader.h"
#include "files/output_file.h"
#include "test_support/scratch_folder.h"

namespace {

namespace files = aurivel::files;
using files::FileError;

#ifdef _WIN32
const char* const kDevice = "NUL";
#else
const char* const kDevice = "/dev/null";
#endif

class Files : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = dir_ / name;
        files::WriteWholeFile(path, bytes.data(), bytes.size());
        return path;
    }

    const test_support::ScratchFolder dir_{test_support::TemporaryFolder(), test_support::ProcessName("files")};
};

// The message of the FileError that `act` throws; empty if it throws none.
template <typename Act>
std::string Refusal(Act act) {
    try {
        act();
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

TEST_F(Files, OnlyRegularFilesOpenAndEachRefusalNamesThePathAndWhy) {
    const std::string missing = dir_ / "absent.txt";
    const struct {
        std::string path;
        std::string why;
    } refused[] = {
        {missing, " does not exist"},
        {dir_ / "absent/file.txt", " does not exist"},
        {dir_.Path(), " is a directory"},
        {kDevice, " is not a regular file"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Refusal([&] { files::InputFile file(c.path); }), c.path + c.why);
    }
    // Nothing at the path is the one refusal that lets a reader look elsewhere.
    EXPECT_THROW(files::InputFile{missing}, files::MissingFile);
    files::InputFile file(Write("ten.txt", "0123456789"));
    EXPECT_EQ(file.Size(), 10u);
}

TEST_F(Files, WholeFilesAreReadUpToTheirLimit) {
    const std::string path = Write("ten.txt", "0123456789");
    EXPECT_EQ(files::ReadWholeFile(path, {10, "a test file"}), "0123456789");
    EXPECT_EQ(Refusal([&] {
                  files::ReadWholeFile(path, {9, "a test file"});
              }),
              path + " is larger than the 9 bytes a test file may have");
    EXPECT_EQ(Refusal([&] {
                  files::ReadWholeFile(dir_.Path(), {10, "a test file"});
              }),
              dir_.Path() + " is a directory");
}

TEST_F(Files, SizesAreSaidInTheLargestWholeUnit) {
    const std::pair<uint64_t, const char*> sizes[] = {
        {1, "1 byte"}, {1000, "1000 bytes"}, {1536, "1536 bytes"}, {64 << 10, "64 KiB"}, {16 << 20, "16 MiB"}};
    for (const auto& [bytes, text] : sizes) EXPECT_EQ(files::DescribeSize(bytes), text);
}

TEST_F(Files, AFileCutShortWhileReadIsReported) {
    const std::string path = Write("ten.txt", "0123456789");
    files::InputFile file(path);
    // Rewritten in place, as another program would cut it, not replaced.
    std::FILE* cut = std::fopen(path.c_str(), "wb");
    ASSERT_NE(cut, nullptr);
    std::fputs("0123", cut);
    std::fclose(cut);
    char bytes[10];
    EXPECT_EQ(Refusal([&] { file.ReadExactly(bytes, sizeof bytes); }),
              path + " ended early: it changed while it was being read");
}

// A save writes its bytes beside the file first; something already there
// under that name is someone else's, and is kept.
TEST_F(Files, ASaveKeepsWhatIsNamedAsItsTemporary) {
    const std::string path = Write("scene.max", "before");
    Write("scene.max.saving", "theirs");
    EXPECT_EQ(Refusal([&] { files::WriteWholeFile(path, "mine", 4); }),
              "cannot write " + path +
                  ".saving: something of that name is in the way (remove it if it is left from "
                  "a save that broke off)");
    EXPECT_EQ(files::ReadWholeFile(path, {10, "a test file"}), "before");
    EXPECT_EQ(files::ReadWholeFile(path + ".saving", {10, "a test file"}), "theirs");
}

TEST_F(Files, APathNamesTheFileItLeadsToHoweverItIsSpelt) {
    const std::string a = Write("a.txt", "a");
    const std::string b = Write("b.txt", "a");
    ASSERT_TRUE(files::IdentityOf(a));
    EXPECT_EQ(files::IdentityOf(a), files::IdentityOf(dir_.Path() + "/./a.txt"));
    EXPECT_NE(files::IdentityOf(a), files::IdentityOf(b));
    EXPECT_TRUE(files::IdentityOf(dir_.Path()));
    EXPECT_FALSE(files::IdentityOf(dir_ / "absent.txt"));
}

struct LineCase {
    const char* what;
    std::string text;
    size_t longestLine;
    std::vector<std::string> lines;  // before the refusal, if any
    std::string refusal;             // after "<name>: "
};

// The lines, and the refusal's message, that a reader gives.
std::pair<std::vector<std::string>, std::string> ReadAll(files::LineReader&& reader) {
    std::vector<std::string> lines;
    const std::string refusal = Refusal([&] {
        while (const auto line = reader.Next()) lines.emplace_back(*line);
    });
    return {lines, refusal};
}

// From memory and from a file alike; long lines span the file's reads.
TEST_F(Files, LinesEndAtTheirLineEndOrAreRefusedPastTheLongest) {
    const std::string wide(100000, 'w');
    const LineCase cases[] = {
        {"empty", "", 8, {}, ""},
        {"line ends", "a\nb\r\nc", 8, {"a", "b", "c"}, ""},
        {"blank lines", "\n\r\n\n", 8, {"", "", ""}, ""},
        {"a lone CR is text", "a\rb\nc\r", 8, {"a\rb", "c\r"}, ""},
        {"the longest line, CRLF", "12345678\r\n", 8, {"12345678"}, ""},
        {"the longest line, last", "12345678", 8, {"12345678"}, ""},
        {"a byte too long", "ok\n123456789\n", 8, {"ok"}, "line 2 is longer than the 8 bytes a line may have"},
        {"a byte too long before CR", "123456789\r\n", 8, {}, "line 1 is longer than the 8 bytes a line may have"},
        {"too long without an end", "ok\n" + wide, 8, {"ok"}, "line 2 is longer than the 8 bytes a line may have"},
        {"wide lines", wide + "\n" + wide, 128 << 10, {wide, wide}, ""},
        {"too wide", wide + wide + "\n", 128 << 10, {}, "line 1 is longer than the 128 KiB a line may have"},
    };
    for (const LineCase& c : cases) {
        const std::string path = Write("lines.txt", c.text);
        files::InputFile file(path);
        const auto fromFile = ReadAll(files::LineReader(file, c.longestLine));
        const auto fromMemory = ReadAll(files::LineReader(c.text, "text", c.longestLine));
        EXPECT_EQ(fromFile.first, c.lines) << c.what;
        EXPECT_EQ(fromMemory.first, c.lines) << c.what;
        EXPECT_EQ(fromFile.second, c.refusal.empty() ? "" : path + ": " + c.refusal) << c.what;
        EXPECT_EQ(fromMemory.second, c.refusal.empty() ? "" : "text: " + c.refusal) << c.what;
    }
}

// A file is refused by its first line without reading the rest.
TEST_F(Files, ALinePastTheLongestIsRefusedBeforeTheRestIsRead) {
    files::InputFile file(Write("long.txt", std::string(1 << 20, 'x')));
    files::LineReader lines(file, 8);
    EXPECT_FALSE(Refusal([&] { lines.Next(); }).empty());
    char next;
    EXPECT_EQ(file.ReadSome(&next, 1), 1u);
}

}  // namespace
