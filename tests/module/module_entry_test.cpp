// Before the host has run the module's entry point, the module knows no
// handle and so can load no string. This binary maps the library itself and
// never calls DllMain.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "max.h"

namespace {

TEST(ModuleEntry, NoStringsBeforeDllMain) {
    void* handle = dlopen(AURIVEL_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    using StringFn = const TCHAR* (*)();
    using DescFn = ClassDesc* (*)(int);
    auto libDescription = reinterpret_cast<StringFn>(dlsym(handle, "_Z14LibDescriptionv"));
    auto libClassDesc = reinterpret_cast<DescFn>(dlsym(handle, "_Z12LibClassDesci"));
    ASSERT_NE(libDescription, nullptr);
    ASSERT_NE(libClassDesc, nullptr);
    EXPECT_EQ(libDescription(), nullptr);
    ClassDesc* desc = libClassDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->ClassName(), nullptr);
    EXPECT_EQ(desc->Category(), nullptr);
    EXPECT_EQ(desc->HInstance(), nullptr);
    EXPECT_STREQ(desc->InternalName(), L"Aurivel");
    dlclose(handle);
}

}  // namespace
