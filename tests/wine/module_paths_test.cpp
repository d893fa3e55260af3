// Paths that hold no module, refused by the host in words.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "standin/plugin_library.h"
#include "test_support/scratch_folder.h"

namespace {

TEST(ModulePaths, WithoutAModuleAreRefusedInWords) {
    const test_support::ScratchFolder folder(NOT_MODULES_PARENT, "aurivel_not_modules");
    folder.MakeFolder("folder.dlt");
    std::FILE* text = std::fopen((folder / "text.dlt").c_str(), "wb");
    ASSERT_NE(text, nullptr);
    std::fputs("not a module\n", text);
    std::fclose(text);
    const struct {
        const char* entry;  // ASCII, widened character by character
        std::string why;
    } cases[] = {
        {"absent.dlt", " does not exist"},
        {"folder.dlt", " is a directory"},
        {"text.dlt", " is not a module: it is not a library built for this system"},
    };
    for (const auto& c : cases) {
        const std::wstring wide =
            NOT_MODULES_PARENT_WIDE L"/aurivel_not_modules/" + std::wstring(c.entry, c.entry + std::strlen(c.entry));
        std::string error;
        EXPECT_FALSE(standin::PluginLibrary::Load(wide, &error));
        EXPECT_EQ(error, folder / c.entry + c.why);
    }
}

}  // namespace
