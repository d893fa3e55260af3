// The objects loaded in the process, seen as Windows modules: a module's
// handle (HMODULE, HINSTANCE) is the address of its mapped ELF header, as a
// PE module's handle is its load base.
#pragma once

#include "elf_file.h"
#include "res_file.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace win32shim {

struct LoadedObject {
    HMODULE base = nullptr;
    uintptr_t bias = 0;             // added to the file's addresses
    std::string path;               // as the dynamic loader knows it
    const void* dynamic = nullptr;  // the object's dynamic section, unique per object
    bool isMainProgram = false;
};

std::optional<LoadedObject> FindLoadedObject(HMODULE base);
std::optional<LoadedObject> FindLoadedObjectByDynamic(const void* dynamic);
// By full path or by file name.
std::optional<LoadedObject> FindLoadedObjectByName(std::string_view name);
LoadedObject MainProgram();

struct ModuleInfo {
    LoadedObject object;
    ElfFileContents file;
    std::vector<ResourceEntry> resources;  // data in file.resources

    const uint8_t* Data(const ResourceEntry& entry) const { return file.resources.data() + entry.offset; }
};

// What the module's file holds, read once per module and kept until
// ForgetModuleInfo. Null if no module is loaded at that base.
std::shared_ptr<const ModuleInfo> ModuleInfoFor(HMODULE module);
void ForgetModuleInfo(HMODULE module);

}  // namespace win32shim
