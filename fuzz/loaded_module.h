// The fuzz targets' host: Aurivel.dlt loaded once per process, as the host
// loads it, so that its map class is in the class directory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "max.h"
#include "standin/plugin_library.h"

namespace aurivel_fuzz {

inline standin::PluginLibrary& LoadedModule() {
    std::string error;
    standin::PluginLibrary* library = standin::LoadedForTheProcess(L"" AURIVEL_MODULE_PATH, &error);
    if (!library) {
        std::fprintf(stderr, "cannot load Aurivel.dlt: %s\n", error.c_str());
        std::abort();
    }
    return *library;
}

inline Texmap* NewMap() {
    auto* desc = static_cast<ClassDesc2*>(LoadedModule().Class(0));
    return static_cast<Texmap*>(static_cast<ReferenceTarget*>(desc->Create(FALSE)));
}

}  // namespace aurivel_fuzz
