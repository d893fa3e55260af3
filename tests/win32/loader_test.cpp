// Loading modules as the host does: static objects, entry point, exports.
#include "event_log.h"
#include "test_support.h"

#include <windows.h>

#include <cstring>

namespace {

using Events = std::vector<std::string>;

// Through void (*)(), the one function type that casts to any other
// without a warning.
template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Loader : public ::testing::Test {
protected:
    void SetUp() override { TakeEvents(); }
};

}  // namespace

TEST_F(Loader, ConstructsStaticObjectsBeforeAttachingAndDetachesBeforeDestroyingThem) {
    const HMODULE module = LoadLibraryW(Widen(TEST_MODULE_PATH).c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(TakeEvents(), (Events{"constructor", "attach"}));
    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(TakeEvents(), (Events{"detach", "destructor"}));
}

TEST_F(Loader, TheHandleIsTheLoadBaseThatDllMainReceives) {
    LoadedModule module(TEST_MODULE_PATH);
    ASSERT_NE(module.Handle(), nullptr);
    EXPECT_EQ(std::memcmp(module.Handle(),
                          "\x7f"
                          "ELF",
                          4),
              0);
    const auto handleAtAttach = Export<HINSTANCE (*)()>(module.Handle(), "HandleAtAttach");
    ASSERT_NE(handleAtAttach, nullptr);
    EXPECT_EQ(handleAtAttach(), module.Handle());
}

TEST_F(Loader, LoadsOnceWhileReferenced) {
    const HMODULE first = LoadLibraryW(Widen(TEST_MODULE_PATH).c_str());
    const HMODULE second = LoadLibraryW(Widen(TEST_MODULE_PATH).c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(TakeEvents(), (Events{"constructor", "attach"}));
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(GetModuleHandleW(L"win32_test_module.dlt"), first);
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(TakeEvents(), (Events{"detach", "destructor"}));
    EXPECT_EQ(GetModuleHandleW(L"win32_test_module.dlt"), nullptr);
    EXPECT_FALSE(FreeLibrary(first));
}

TEST_F(Loader, AnEntryPointThatRefusesFailsTheLoad) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(Widen(REFUSING_MODULE_PATH).c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(TakeEvents(), (Events{"constructor", "attach", "detach", "destructor"}));
    EXPECT_EQ(GetModuleHandleW(L"win32_refusing_module.dlt"), nullptr);
}

// Windows' answers for paths that hold no module; a FIFO, which no Windows
// path names, is refused without waiting for a writer.
TEST_F(Loader, PathsWithoutAModuleFailWithWindowsErrorCodes) {
    const NotModules paths;
    const struct {
        std::string path;
        DWORD error;
    } cases[] = {
        {"/nonexistent/Aurivel.dlt", ERROR_MOD_NOT_FOUND},
        {paths.Directory(), ERROR_MOD_NOT_FOUND},
        {paths.TextFile(), ERROR_BAD_EXE_FORMAT},
        {paths.Fifo(), ERROR_BAD_EXE_FORMAT},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryW(Widen(c.path).c_str()), nullptr) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
}

// Windows also looks for a name without a folder in the current directory.
TEST_F(Loader, FindsABareNameInTheCurrentDirectory) {
    const std::filesystem::path module(TEST_MODULE_PATH);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(module.parent_path());
    const HMODULE handle = LoadLibraryW(module.filename().wstring().c_str());
    std::filesystem::current_path(before);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(FreeLibrary(handle));
}

TEST_F(Loader, FindsCppExportsByTheirUndecoratedNames) {
    LoadedModule module(TEST_MODULE_PATH);
    ASSERT_NE(module.Handle(), nullptr);
    const auto description = Export<const wchar_t* (*)()>(module.Handle(), "LibDescription");
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description(), L"Aurivel IOR TexMap");
    EXPECT_NE(GetProcAddress(module.Handle(), "_Z10Overloadedi"), nullptr) << "a decorated name as it is";
}

TEST_F(Loader, FindsOnlyWhatTheDefFileExportsFromTheModuleItself) {
    LoadedModule module(TEST_MODULE_PATH);
    ASSERT_NE(module.Handle(), nullptr);
    for (const char* name : {"NotInDefFile", "DllMain", "Overloaded", "malloc", "LoadStringW", "RecordEvent", ""}) {
        SetLastError(0);
        EXPECT_EQ(GetProcAddress(module.Handle(), name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND)) << name;
    }
    EXPECT_EQ(GetProcAddress(module.Handle(), MAKEINTRESOURCEA(1)), nullptr) << "ELF modules have no ordinals";
}

TEST_F(Loader, NamesTheModulesFile) {
    LoadedModule module(TEST_MODULE_PATH);
    ASSERT_NE(module.Handle(), nullptr);
    const std::wstring path = Widen(TEST_MODULE_PATH);
    wchar_t buffer[4096];
    EXPECT_EQ(GetModuleFileNameW(module.Handle(), buffer, 4096), path.size());
    EXPECT_EQ(buffer, path);

    SetLastError(0);
    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(module.Handle(), small, 8), 8u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::wstring(small), path.substr(0, 7));

    EXPECT_GT(GetModuleFileNameW(nullptr, buffer, 4096), 0u);
    EXPECT_NE(std::wstring(buffer).find(L"win32_test"), std::wstring::npos);
}

TEST_F(Loader, KnowsOnlyLoadedModules) {
    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"win32_test_module.dlt"), nullptr);
    HMODULE notAModule = reinterpret_cast<HMODULE>(&notAModule);
    EXPECT_FALSE(DisableThreadLibraryCalls(notAModule));
    EXPECT_EQ(GetProcAddress(notAModule, "LibDescription"), nullptr);
    wchar_t buffer[8];
    EXPECT_EQ(LoadStringW(notAModule, 1, buffer, 8), 0);
}
