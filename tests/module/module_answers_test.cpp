// What the host finds in Aurivel.dlt: its exports, its one class, its strings.
#include <cstdio>
#include <set>
#include <string>

#include "module_fixture.h"

namespace aurivel_test {
namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    const std::string command = "nm -DC --defined-only '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        text.erase(text.find_last_not_of("\r\n") + 1);
        // "address type name"; only code and data count as exports.
        const size_t typePos = text.find(' ');
        if (typePos == std::string::npos || typePos + 2 >= text.size()) continue;
        const char type = text[typePos + 1];
        if (type == 'T' || type == 'D' || type == 'B' || type == 'R' || type == 'W')
            names.insert(text.substr(typePos + 3));
    }
    pclose(pipe);
    return names;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(ModuleAnswers, ExportsExactlyTheSixEntryPoints) {
    const std::set<std::string> expected = {"LibDescription()", "LibNumberClasses()", "LibClassDesc(int)",
                                            "LibVersion()",     "LibInitialize()",    "LibShutdown()"};
    EXPECT_EQ(DefinedDynamicSymbols(Narrow(AURIVEL_MODULE_PATH)), expected);
}

TEST(ModuleAnswers, VersionClassesAndInitialisation) {
    const auto& lib = Module::Library().RawExports();
    EXPECT_EQ(lib.libVersion(), 0x65904000u);
    EXPECT_EQ(lib.libVersion(), static_cast<ULONG>(VERSION_3DSMAX));
    EXPECT_EQ(lib.libNumberClasses(), 1);
    EXPECT_EQ(lib.libInitialize(), TRUE);
    EXPECT_EQ(lib.libShutdown(), TRUE);
    ClassDesc* desc = lib.libClassDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(lib.libClassDesc(0), desc);
    for (int other : {1, -1, 2, 1000}) EXPECT_EQ(lib.libClassDesc(other), nullptr) << other;
}

TEST(ModuleAnswers, DescriptorIdentity) {
    ClassDesc* desc = Module::Library().Class(0);
    EXPECT_EQ(desc->IsPublic(), TRUE);
    EXPECT_STREQ(desc->ClassName(), L"Aurivel");
    EXPECT_STREQ(desc->NonLocalizedClassName(), L"Aurivel");
    EXPECT_STREQ(desc->InternalName(), L"Aurivel");
    EXPECT_STREQ(desc->Category(), L"Standard");
    EXPECT_EQ(desc->SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    EXPECT_EQ(desc->SuperClassID(), 0xC10u);
    EXPECT_EQ(desc->ClassID(), Class_ID(0x9F6ECB34, 0x768F22AB));
    EXPECT_EQ(desc->HInstance(), Module::Library().Handle());
}

TEST(ModuleAnswers, DescriptionAndClassNameShareOneBuffer) {
    const auto& lib = Module::Library().RawExports();
    const TCHAR* description = lib.libDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, L"Aurivel IOR TexMap");
    const TCHAR* className = lib.libClassDesc(0)->ClassName();
    EXPECT_EQ(className, description);
    EXPECT_STREQ(description, L"Aurivel");
}

struct StringCase {
    UINT id;
    const wchar_t* text;
};

TEST(ModuleAnswers, StringTable) {
    const StringCase table[] = {
        {1, L"Aurivel IOR TexMap"},
        {2, L"Standard"},
        {3, L"Aurivel"},
        {4, L"Parameters"},
        {5, L"nRvalue"},
        {6, L"nGvalue"},
        {7, L"nBvalue"},
        {8, L"kRvalue"},
        {9, L"kGvalue"},
        {10, L"kBvalue"},
        {11, L"Presets"},
        {12, L"Custom"},
        {13, L"Silver"},
        {14, L"Aluminium"},
        {15, L"Gold"},
        {16, L"Cobalt"},
        {17, L"Chromium"},
        {18, L"Copper"},
        {19, L"Iron"},
        {20, L"Nickel"},
        {21, L"Platinum"},
        {22, L"Titanium"},
        {23, L"Gamma"},
        {24, L"Hue"},
        {25, L"Saturation"},
        {26, L"Homepage"},
        {27, L"Output"},
    };
    const HINSTANCE module = Module::Library().Handle();
    for (const StringCase& c : table) {
        WCHAR buffer[256] = {};
        EXPECT_GT(LoadStringW(module, c.id, buffer, 256), 0) << c.id;
        EXPECT_STREQ(buffer, c.text) << c.id;
    }
    WCHAR buffer[256] = {};
    EXPECT_EQ(LoadStringW(module, 28, buffer, 256), 0);
    EXPECT_EQ(LoadStringW(module, 0, buffer, 256), 0);
}

}  // namespace
}  // namespace aurivel_test
