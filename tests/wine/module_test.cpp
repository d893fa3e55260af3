// The module as Windows loads it: its export table, its entry point and its
// string table, read through the system's loader and LoadStringW.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "host_window.h"
#include "plugapi.h"
#include "standin/plugin_library.h"

namespace {

using wine_test::WindowsPath;

const std::wstring kModulePath = WindowsPath(L"" AURIVEL_MODULE_PATH);

constexpr const char* kExports[] = {"LibDescription", "LibNumberClasses", "LibClassDesc",
                                    "LibVersion",     "LibInitialize",    "LibShutdown"};

std::unique_ptr<standin::PluginLibrary> LoadPlugin() {
    std::string error;
    auto library = standin::PluginLibrary::Load(kModulePath, &error);
    EXPECT_TRUE(library) << error;
    return library;
}

TEST(ModuleExports, AreFoundByTheirUndecoratedNamesOnly) {
    const HMODULE module = LoadLibraryW(kModulePath.c_str());
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    for (const char* name : kExports) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    // Not under a C++ compiler's decorated name either (GNU's and Microsoft's).
    EXPECT_EQ(GetProcAddress(module, "_Z14LibDescriptionv"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "?LibDescription@@YAPEB_WXZ"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "DllMain"), nullptr);
    FreeLibrary(module);
}

TEST(ModuleExports, AnswerTheHostAsABuildForThisSdk) {
    const auto library = LoadPlugin();
    ASSERT_TRUE(library);
    EXPECT_EQ(library->Version(), MAX_PRODUCT_YEAR_NUMBER == 2026 ? 0x6D604400u : 0x65904000u);
    EXPECT_EQ(library->NumClasses(), 1);
    EXPECT_EQ(library->Description(), L"Aurivel IOR TexMap");
    EXPECT_EQ(library->RawExports().libInitialize(), TRUE);
    EXPECT_EQ(library->RawExports().libShutdown(), TRUE);
}

TEST(ModuleExports, OfferOneClassDescriptor) {
    const auto library = LoadPlugin();
    ASSERT_TRUE(library);
    ClassDesc* desc = library->Class(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(library->Class(0), desc);
    EXPECT_EQ(library->Class(1), nullptr);
    EXPECT_EQ(library->Class(-1), nullptr);
    EXPECT_STREQ(desc->ClassName(), L"Aurivel");
    EXPECT_STREQ(desc->Category(), L"Standard");
    EXPECT_EQ(desc->SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    EXPECT_EQ(desc->ClassID(), Class_ID(0x9F6ECB34, 0x768F22AB));
    EXPECT_EQ(desc->HInstance(), library->Handle());
}

// LoadLibraryExW with DONT_RESOLVE_DLL_REFERENCES maps the module without
// calling its entry point, so the module has no handle to load strings
// with. The same module loaded normally afterwards does.
TEST(ModuleEntry, StringsNeedTheEntryPointToHaveRun) {
    using DescriptionFn = const TCHAR* (*)();
    const HMODULE mapped = LoadLibraryExW(kModulePath.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(mapped, nullptr) << "error " << GetLastError();
    const auto unstarted =
        reinterpret_cast<DescriptionFn>(reinterpret_cast<void (*)()>(GetProcAddress(mapped, "LibDescription")));
    ASSERT_NE(unstarted, nullptr);
    EXPECT_EQ(unstarted(), nullptr);
    ASSERT_TRUE(FreeLibrary(mapped));
    ASSERT_EQ(GetModuleHandleW(kModulePath.c_str()), nullptr) << "the mapped module is still loaded";

    const auto library = LoadPlugin();
    ASSERT_TRUE(library);
    EXPECT_EQ(library->Description(), L"Aurivel IOR TexMap");
}

// The text of LibDescription lives in the buffer that every string load
// reuses.
TEST(ModuleStrings, ShareOneBuffer) {
    const auto library = LoadPlugin();
    ASSERT_TRUE(library);
    const TCHAR* description = library->RawExports().libDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, L"Aurivel IOR TexMap");
    EXPECT_EQ(library->Class(0)->ClassName(), description);
    EXPECT_STREQ(description, L"Aurivel");
}

struct StringCase {
    UINT id;
    const wchar_t* text;  // null: not in the table
};

TEST(ModuleStrings, AreInTheStringTableForLoadStringW) {
    const HMODULE module = LoadLibraryW(kModulePath.c_str());
    ASSERT_NE(module, nullptr);
    const StringCase cases[] = {{0, nullptr},      {1, L"Aurivel IOR TexMap"}, {4, L"Parameters"}, {12, L"Custom"},
                                {22, L"Titanium"}, {25, L"Saturation"},        {26, L"Homepage"},  {27, L"Output"},
                                {28, nullptr}};
    for (const StringCase& c : cases) {
        wchar_t buffer[256] = {};
        const int length = LoadStringW(module, c.id, buffer, 256);
        if (c.text) {
            EXPECT_EQ(length, static_cast<int>(wcslen(c.text))) << c.id;
            EXPECT_STREQ(buffer, c.text) << c.id;
        } else {
            EXPECT_EQ(length, 0) << c.id;
        }
    }
    FreeLibrary(module);
}

struct ResourceCase {
    LPCWSTR type;
    WORD id;
    WORD language;
};

TEST(ModuleResources, CarryTheirLanguagesAndTheManifest) {
    const HMODULE module = LoadLibraryW(kModulePath.c_str());
    ASSERT_NE(module, nullptr);
    const WORD us = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const WORD uk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
    const ResourceCase cases[] = {{RT_DIALOG, 101, us}, {RT_BITMAP, 103, uk}, {RT_BITMAP, 104, uk},
                                  {RT_BITMAP, 105, uk}, {RT_STRING, 1, us},   {RT_STRING, 2, us}};
    for (const ResourceCase& c : cases)
        EXPECT_NE(FindResourceExW(module, c.type, MAKEINTRESOURCEW(c.id), c.language), nullptr) << c.id;
    EXPECT_EQ(SizeofResource(module, FindResourceW(module, MAKEINTRESOURCEW(103), RT_BITMAP)), 248u);

    const HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    const std::string xml(text, SizeofResource(module, manifest));
    EXPECT_NE(xml.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos) << xml;
    FreeLibrary(module);
}

}  // namespace
