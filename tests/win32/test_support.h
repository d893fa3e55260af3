// Loading the test modules in the win32 tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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

// Tests that read the product's resources through the loaded test module.
class ProductResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(module_.Handle(), nullptr) << "cannot load " << TEST_MODULE_PATH; }
    HMODULE Module() const { return module_.Handle(); }

private:
    LoadedModule module_{TEST_MODULE_PATH};
};
