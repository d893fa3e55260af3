// The host's loader of plug-in libraries.
#include "event_log.h"
#include "test_support.h"

#include "plugapi.h"
#include "standin/class_directory.h"
#include "standin/plugin_library.h"

using standin::ClassDirectory;
using standin::PluginLibrary;

namespace {

using Events = std::vector<std::string>;

const Class_ID kTestClassId(0x7E57C1A5, 0x0000D1E7);

bool TestClassListed() { return ClassDirectory::Instance().Find(TEXMAP_CLASS_ID, kTestClassId) != nullptr; }

class PluginLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { TakeEvents(); }
};

}  // namespace

TEST_F(PluginLibraryTest, ListsTheClassesWhileLoaded) {
    std::string error;
    auto library = PluginLibrary::Load(Widen(TEST_PLUGIN_PATH), &error);
    ASSERT_TRUE(library) << error;
    EXPECT_EQ(TakeEvents(), (Events{"initialize"}));
    EXPECT_EQ(library->Version(), static_cast<ULONG>(VERSION_3DSMAX));
    EXPECT_EQ(library->Description(), L"Test plug-in \u00B5");
    EXPECT_EQ(library->NumClasses(), 2);
    ASSERT_NE(library->Class(0), nullptr);
    EXPECT_EQ(library->Class(1), nullptr);
    EXPECT_EQ(ClassDirectory::Instance().Find(TEXMAP_CLASS_ID, kTestClassId), library->Class(0));
    EXPECT_EQ(library->RawExports().libClassDesc(0), library->Class(0));
    EXPECT_EQ(GetModuleHandleW(L"win32_test_plugin.dlt"), library->Handle());
}

TEST_F(PluginLibraryTest, UnlistsBeforeShuttingDownAndUnloading) {
    auto library = PluginLibrary::Load(Widen(TEST_PLUGIN_PATH), nullptr);
    ASSERT_TRUE(library);
    TakeEvents();
    library.reset();
    EXPECT_EQ(TakeEvents(), (Events{"shutdown", "detach"}));
    EXPECT_FALSE(TestClassListed());
    EXPECT_EQ(GetModuleHandleW(L"win32_test_plugin.dlt"), nullptr);
}

TEST_F(PluginLibraryTest, RefusesALibraryBuiltForAnotherRelease) {
    const struct {
        const char* path;
        int hostYear;
        std::string why;
    } cases[] = {
        {OLD_PLUGIN_PATH, 2024,
         "built for SDK version 0x61A84000 (release 25000, API 64), this host is 3ds Max 2024 (SDK version "
         "0x65904000)"},
        {TEST_PLUGIN_PATH, 2026,
         "built for 3ds Max 2024 (SDK version 0x65904000), this host is 3ds Max 2026 (SDK version 0x6D604400)"},
        {TEST_PLUGIN_PATH, 2023,
         "built for 3ds Max 2024 (SDK version 0x65904000), this host is 3ds Max 2023 (SDK version 0x61A83E00)"},
    };
    for (const auto& c : cases) {
        const standin::HostRelease* host = standin::FindRelease(c.hostYear);
        ASSERT_NE(host, nullptr) << c.hostYear;
        std::string error;
        EXPECT_FALSE(PluginLibrary::Load(Widen(c.path), &error, *host));
        EXPECT_EQ(error, std::string(c.path) + " is a plug-in for another release of 3ds Max: " + c.why);
        EXPECT_EQ(TakeEvents(), (Events{"detach"})) << "unloaded without being initialised";
        EXPECT_FALSE(TestClassListed());
    }
    EXPECT_EQ(GetModuleHandleW(L"win32_old_plugin.dlt"), nullptr);
    EXPECT_EQ(standin::FindRelease(2022), nullptr);
    EXPECT_EQ(standin::ThisRelease().year, 2024);
}

TEST_F(PluginLibraryTest, RefusesALibraryWithoutTheExports) {
    std::string error;
    EXPECT_FALSE(PluginLibrary::Load(Widen(TEST_MODULE_PATH), &error));
    EXPECT_EQ(error, std::string(TEST_MODULE_PATH) + " is not a plug-in library: it does not export LibNumberClasses");
    EXPECT_EQ(GetModuleHandleW(L"win32_test_module.dlt"), nullptr);
}

TEST_F(PluginLibraryTest, SaysWhyAPathHoldsNoModule) {
    const NotModules paths;
    const struct {
        std::string path;
        std::string why;
    } cases[] = {
        {"/nonexistent/Aurivel.dlt", " does not exist"},
        {paths.Directory(), " is a directory"},
        {paths.TextFile(), " is not a module: it is not a library built for this system"},
        {paths.Fifo(), " is not a regular file"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(PluginLibrary::Load(Widen(c.path), &error));
        EXPECT_EQ(error, c.path + c.why);
    }
    EXPECT_FALSE(PluginLibrary::Load(L"/nonexistent/Aurivel.dlt", nullptr));
}

TEST_F(PluginLibraryTest, RefusesAClassThatIsListedAlready) {
    auto first = PluginLibrary::Load(Widen(TEST_PLUGIN_PATH), nullptr);
    ASSERT_TRUE(first);
    TakeEvents();
    std::string error;
    EXPECT_FALSE(PluginLibrary::Load(Widen(TEST_PLUGIN_PATH), &error));
    EXPECT_EQ(error, std::string(TEST_PLUGIN_PATH) + " offers a class that is already listed, TestMap");
    EXPECT_EQ(TakeEvents(), (Events{"initialize", "shutdown with the class listed"})) << "the second load undone";
    EXPECT_TRUE(TestClassListed()) << "the first load keeps its class";
    EXPECT_EQ(first->Description(), L"Test plug-in \u00B5");
}
