#include "module_table.h"

#include <elf.h>
#include <link.h>

#include <climits>
#include <functional>
#include <map>
#include <mutex>
#include <unistd.h>

namespace win32shim {
namespace {

using ObjectFilter = std::function<bool(const LoadedObject&)>;

// The lowest loaded segment holds the ELF header.
HMODULE BaseOf(const dl_phdr_info& info) {
    const ElfW(Phdr)* lowest = nullptr;
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const auto& segment = info.dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && (lowest == nullptr || segment.p_vaddr < lowest->p_vaddr)) lowest = &segment;
    }
    if (lowest == nullptr) return nullptr;
    return reinterpret_cast<HMODULE>(info.dlpi_addr + lowest->p_vaddr - lowest->p_offset);
}

const void* DynamicOf(const dl_phdr_info& info) {
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const auto& segment = info.dlpi_phdr[i];
        if (segment.p_type == PT_DYNAMIC) return reinterpret_cast<const void*>(info.dlpi_addr + segment.p_vaddr);
    }
    return nullptr;
}

// The program's file does not change while it runs.
const std::string& MainProgramPath() {
    static const std::string path = [] {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
        return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
    }();
    return path;
}

struct Search {
    const ObjectFilter* filter;
    std::optional<LoadedObject> found;
    bool first = true;  // the dynamic loader reports the main program first
};

int VisitObject(dl_phdr_info* info, size_t, void* context) {
    auto& search = *static_cast<Search*>(context);
    LoadedObject object;
    object.base = BaseOf(*info);
    object.bias = info->dlpi_addr;
    object.dynamic = DynamicOf(*info);
    object.isMainProgram = search.first;
    object.path = search.first ? MainProgramPath() : std::string(info->dlpi_name ? info->dlpi_name : "");
    search.first = false;
    if (object.base == nullptr || !(*search.filter)(object)) return 0;
    search.found = std::move(object);
    return 1;
}

std::optional<LoadedObject> FindObject(const ObjectFilter& filter) {
    Search search{&filter, std::nullopt};
    dl_iterate_phdr(VisitObject, &search);
    return search.found;
}

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::shared_ptr<const ModuleInfo> ReadModuleInfo(const LoadedObject& object) {
    auto info = std::make_shared<ModuleInfo>();
    info->object = object;
    if (auto file = ReadElfFile(object.path)) info->file = std::move(*file);
    // A malformed resource section reads as no resources at all.
    if (auto resources = ParseResFile(info->file.resources)) info->resources = std::move(*resources);
    return info;
}

std::mutex cacheMutex;
std::map<HMODULE, std::shared_ptr<const ModuleInfo>> cache;

}  // namespace

std::optional<LoadedObject> FindLoadedObject(HMODULE base) {
    return FindObject([base](const LoadedObject& object) { return object.base == base; });
}

std::optional<LoadedObject> FindLoadedObjectByDynamic(const void* dynamic) {
    return FindObject([dynamic](const LoadedObject& object) { return object.dynamic == dynamic; });
}

std::optional<LoadedObject> FindLoadedObjectByName(std::string_view name) {
    const bool byFileName = name.find('/') == std::string_view::npos;
    return FindObject([name, byFileName](const LoadedObject& object) {
        return byFileName ? FileNameOf(object.path) == name : object.path == name;
    });
}

LoadedObject MainProgram() {
    return *FindObject([](const LoadedObject& object) { return object.isMainProgram; });
}

std::shared_ptr<const ModuleInfo> ModuleInfoFor(HMODULE module) {
    const auto object = FindLoadedObject(module);
    if (!object) return nullptr;
    std::lock_guard<std::mutex> lock(cacheMutex);
    auto& cached = cache[module];
    // Another object may have been mapped at the same address since.
    if (!cached || cached->object.dynamic != object->dynamic || cached->object.path != object->path) {
        cached = ReadModuleInfo(*object);
    }
    return cached;
}

void ForgetModuleInfo(HMODULE module) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    cache.erase(module);
}

}  // namespace win32shim
