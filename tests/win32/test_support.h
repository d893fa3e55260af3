// Loading the test modules in the win32 tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// A module loaded with LoadLibraryW for the life of the object.
class LoadedModule {
public:
    explicit LoadedModule(const char* path) : handle_(LoadLibraryW(Widen(path).c_str())) {}
    ~LoadedModule() {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE Handle() const { return handle_; }

private:
    HMODULE handle_;
};

// Paths that hold no module, in a folder of their own for the life of the
// object: a text file, a directory and a FIFO that nobody writes to.
class NotModules {
public:
    NotModules() {
        std::string name = (std::filesystem::temp_directory_path() / "win32_not_modules_XXXXXX").string();
        folder_ = mkdtemp(name.data()) ? name : std::string();
        std::ofstream(TextFile()) << "not a module\n";
        std::filesystem::create_directory(Directory());
        mkfifo(Fifo().c_str(), 0600);
    }
    ~NotModules() { std::filesystem::remove_all(folder_); }
    NotModules(const NotModules&) = delete;
    NotModules& operator=(const NotModules&) = delete;

    std::string TextFile() const { return folder_ + "/text.dlt"; }
    std::string Directory() const { return folder_ + "/folder.dlt"; }
    std::string Fifo() const { return folder_ + "/fifo.dlt"; }

private:
    std::string folder_;
};

// Tests that read the product's resources through the loaded test module.
class ProductResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(module_.Handle(), nullptr) << "cannot load " << TEST_MODULE_PATH; }
    HMODULE Module() const { return module_.Handle(); }

private:
    LoadedModule module_{TEST_MODULE_PATH};
};
