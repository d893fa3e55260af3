// The module that the installed package names for 3ds Max 2024, loaded from
// the bundle as the host loads a plug-in: it offers the Aurivel class, whose
// new map renders copper head-on. The path comes from the package check
// (check_bundle.py), which read it from PackageContents.xml.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "imtl.h"
#include "iparamb2.h"
#include "standin/plugin_library.h"
#include "standin/shade_context.h"

namespace {

std::wstring ModulePathFromPackageCheck() {
    std::FILE* file = std::fopen(AURIVEL_BUNDLE_MODULE_FILE, "rb");
    if (!file) return L"";
    std::string path;
    char buffer[512];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) path.append(buffer, got);
    std::fclose(file);
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return wide;
}

TEST(InstalledBundle, ItsModuleLoadsAndRendersCopperHeadOn) {
    const std::wstring path = ModulePathFromPackageCheck();
    ASSERT_FALSE(path.empty()) << "no module path from the package check in " << AURIVEL_BUNDLE_MODULE_FILE;
    std::string error;
    const auto library = standin::PluginLibrary::Load(path, &error);
    ASSERT_TRUE(library) << error;
    ASSERT_EQ(library->NumClasses(), 1);
    ClassDesc* desc = library->Class(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_STREQ(desc->ClassName(), L"Aurivel");

    auto* map = static_cast<Texmap*>(static_cast<ReferenceTarget*>(desc->Create(FALSE)));
    ASSERT_NE(map, nullptr);
    Interval valid = FOREVER;
    map->Update(0, valid);
    standin::SimpleShadeContext sc(Point3(0.0f, 0.0f, 1.0f), Point3(0.0f, 0.0f, -1.0f));
    const AColor c = map->EvalColor(sc);
    EXPECT_EQ(c.r, 0.92595214f);
    EXPECT_EQ(c.g, 0.58900940f);
    EXPECT_EQ(c.b, 0.52098233f);
    EXPECT_EQ(c.a, 1.0f);
    map->DeleteThis();
}

}  // namespace
