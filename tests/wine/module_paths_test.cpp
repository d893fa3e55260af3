// Paths that hold no module, refused by the host in words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "standin/plugin_library.h"

namespace {

TEST(ModulePaths, WithoutAModuleAreRefusedInWords) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "aurivel_not_modules";
    std::filesystem::create_directories(folder / "folder.dlt");
    std::ofstream(folder / "text.dlt") << "not a module\n";
    const struct {
        std::filesystem::path path;
        std::string why;
    } cases[] = {
        {folder / "absent.dlt", " does not exist"},
        {folder / "folder.dlt", " is a directory"},
        {folder / "text.dlt", " is not a module: it is not a library built for this system"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(standin::PluginLibrary::Load(c.path.wstring(), &error));
        EXPECT_EQ(error, c.path.u8string() + c.why);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
