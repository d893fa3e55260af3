// ShellExecuteW: observed by tests, or handed to the desktop's opener.
#include <windows.h>
#include <win32shim_testing.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

struct Call {
    bool verbGiven, paramsGiven, dirGiven;
    std::wstring file;
    INT show;
};

void Observe(LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show, void* context) {
    static_cast<std::vector<Call>*>(context)->push_back(
        {verb != nullptr, params != nullptr, dir != nullptr, file != nullptr ? file : L"", show});
}

INT_PTR Result(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result); }

// PATH set to a scratch folder for the life of the object.
class ScratchPath {
public:
    explicit ScratchPath(bool withSystemFolders)
        : folder_(fs::temp_directory_path() / ("win32shim-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
        const char* old = std::getenv("PATH");
        oldPath_ = old != nullptr ? old : "";
        const std::string path = withSystemFolders ? folder_.string() + ":/usr/bin:/bin" : folder_.string();
        setenv("PATH", path.c_str(), 1);
    }
    ~ScratchPath() {
        setenv("PATH", oldPath_.c_str(), 1);
        fs::remove_all(folder_);
    }
    const fs::path& Folder() const { return folder_; }

private:
    fs::path folder_;
    std::string oldPath_;
};

// The opener runs apart from the test and may start late on a busy machine:
// its file is waited for until a deadline that only a hang reaches.
std::string WaitForFile(const fs::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(file) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return text;
}

}  // namespace

TEST(ShellExecute, ReportsToAnObserverInsteadOfLaunching) {
    std::vector<Call> calls;
    Win32Shim_SetShellExecuteObserver(Observe, &calls);
    const ScratchPath noOpener(false);
    EXPECT_GT(Result(ShellExecuteW(nullptr, nullptr, L"https://refractiveindex.info/", nullptr, nullptr, SW_SHOW)), 32);
    EXPECT_GT(Result(ShellExecuteW(nullptr, L"open", L"https://example.org/", L"-x", L"/tmp", SW_SHOWNORMAL)), 32);
    Win32Shim_SetShellExecuteObserver(nullptr, nullptr);

    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].file, L"https://refractiveindex.info/");
    EXPECT_FALSE(calls[0].verbGiven || calls[0].paramsGiven || calls[0].dirGiven);
    EXPECT_EQ(calls[0].show, SW_SHOW);
    EXPECT_TRUE(calls[1].verbGiven && calls[1].paramsGiven && calls[1].dirGiven);
    EXPECT_EQ(calls[1].show, SW_SHOWNORMAL);

    EXPECT_LE(Result(ShellExecuteW(nullptr, nullptr, L"https://example.org/", nullptr, nullptr, SW_SHOW)), 32)
        << "observer removed, and no opener on PATH";
    EXPECT_EQ(calls.size(), 2u);
}

TEST(ShellExecute, FailsWithoutAnOpener) {
    const ScratchPath noOpener(false);
    EXPECT_EQ(Result(ShellExecuteW(nullptr, nullptr, L"https://example.org/", nullptr, nullptr, SW_SHOW)),
              SE_ERR_NOASSOC);
}

TEST(ShellExecute, HandsTheAddressToTheOpenerOnPath) {
    const ScratchPath path(true);
    const fs::path opener = path.Folder() / "xdg-open";
    const fs::path seen = path.Folder() / "seen";
    // The file appears whole, by its name, once written.
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" << seen.string() << ".part' && mv '"
                          << seen.string() << ".part' '" << seen.string() << "'\n";
    fs::permissions(opener, fs::perms::owner_all);
    const std::wstring address = L"https://example.org/a b?c=\u00B5";
    EXPECT_GT(Result(ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOW)), 32);
    EXPECT_EQ(WaitForFile(seen), "https://example.org/a b?c=\xC2\xB5");
}
