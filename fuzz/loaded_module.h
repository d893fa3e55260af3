// The fuzz targets' host: Aurivel.dlt loaded once per process, as the host
// loads it, so that its map class is in the class directory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "max.h"
#include "standin/plugin_library.h"

namespace aurivel_fuzz {

inline standin::PluginLibrary& LoadedModule() {
    static const std::unique_ptr<standin::PluginLibrary> library = [] {
        std::string error;
        auto loaded = standin::PluginLibrary::Load(L"" AURIVEL_MODULE_PATH, &error);
        if (!loaded) {
            std::fprintf(stderr, "cannot load Aurivel.dlt: %s\n", error.c_str());
            std::abort();
        }
        return loaded;
    }();
    return *library;
}

inline Texmap* NewMap() {
    auto* desc = static_cast<ClassDesc2*>(LoadedModule().Class(0));
    return static_cast<Texmap*>(static_cast<ReferenceTarget*>(desc->Create(FALSE)));
}

}  // namespace aurivel_fuzz
