// Loading modules as the host does on Windows.
//
// LoadLibraryW maps the module with dlopen, which runs its static
// constructors as the C runtime's DLL start-up does, and then calls the
// module's entry point with DLL_PROCESS_ATTACH. A module built by
// aurivel_add_plugin_module is linked with -e DllMain, so its ELF entry point
// (e_entry plus the load bias) is DllMain, as a PE module's entry point is its
// AddressOfEntryPoint. FreeLibrary calls it with DLL_PROCESS_DETACH before
// dlclose runs the static destructors.
//
// A path that cannot be loaded fails as on Windows: ERROR_MOD_NOT_FOUND for a
// missing file or a directory, ERROR_BAD_EXE_FORMAT for a file that is not a
// module of this machine. FIFOs and devices, which a Windows path cannot
// name, are refused as not modules without being opened (dlopen would wait on
// a FIFO for a writer).
//
// GetProcAddress: a plug-in's exports are C++ functions (its .def file names
// them undecorated), so in an ELF module their symbols are mangled. The name
// is first looked up as given; failing that, the module's own exported
// functions are demangled and the one whose name before '(' equals the name
// asked for is taken. Overloads of that name make the look-up fail, since
// nothing says which one is meant.

#include "module_table.h"
#include "text.h"

#include <windows.h>

#include <cxxabi.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace win32shim {
namespace {

using EntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

struct LoadedModule {
    void* dlHandle = nullptr;
    EntryPoint entry = nullptr;
    unsigned references = 0;
};

// The loader lock: DllMain may load further modules, so it is recursive.
std::recursive_mutex loaderLock;
std::map<HMODULE, LoadedModule> loadedModules;

// A bare name is left to the library search, unless the current directory
// holds it: Windows looks there too, dlopen does not.
std::string AbsolutePath(const std::string& path) {
    if (path.find('/') == std::string::npos && access(path.c_str(), F_OK) != 0) return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// Names without a directory are left to the library search.
std::optional<struct stat> StatusOf(const std::string& path) {
    struct stat status {};
    if (path.find('/') == std::string::npos || stat(path.c_str(), &status) != 0) return std::nullopt;
    return status;
}

bool IsSpecialFile(const std::string& path) {
    const auto status = StatusOf(path);
    return status && !S_ISREG(status->st_mode) && !S_ISDIR(status->st_mode);
}

DWORD LoadFailure(const std::string& path) {
    const auto status = StatusOf(path);
    if (!status || S_ISDIR(status->st_mode)) return ERROR_MOD_NOT_FOUND;
    // A module of this machine that still fails lacks a library it needs.
    return ReadElfFile(path) ? ERROR_MOD_NOT_FOUND : ERROR_BAD_EXE_FORMAT;
}

std::optional<LoadedObject> ObjectOfHandle(void* dlHandle) {
    link_map* map = nullptr;
    if (dlinfo(dlHandle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return std::nullopt;
    return FindLoadedObjectByDynamic(map->l_ld);
}

EntryPoint EntryPointOf(HMODULE module) {
    const auto info = ModuleInfoFor(module);
    if (!info || info->file.entry == 0) return nullptr;
    return reinterpret_cast<EntryPoint>(info->object.bias + info->file.entry);
}

// Runs the entry point for a module mapped the first time; unmaps it again
// if the entry point refuses, after telling it so with DLL_PROCESS_DETACH.
bool Attach(HMODULE module, LoadedModule& loaded) {
    loaded.entry = EntryPointOf(module);
    if (loaded.entry == nullptr || loaded.entry(module, DLL_PROCESS_ATTACH, nullptr)) return true;
    loaded.entry(module, DLL_PROCESS_DETACH, nullptr);
    return false;
}

std::string DemangledFunctionName(const std::string& symbol) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(symbol.c_str(), nullptr, nullptr, &status), &std::free);
    if (status != 0 || !demangled) return {};
    const std::string text(demangled.get());
    return text.substr(0, text.find('('));
}

// The symbol of the one exported function called `name`, or empty.
std::string MangledExport(const ModuleInfo& module, const std::string& name) {
    std::string found;
    for (const auto& symbol : module.file.exportedFunctions) {
        if (DemangledFunctionName(symbol) != name) continue;
        if (!found.empty() && found != symbol) return {};
        found = symbol;
    }
    return found;
}

// dlsym searches the module's dependencies too; GetProcAddress only the
// module itself.
void* SymbolInModule(const ModuleInfo& module, const std::string& symbol) {
    void* handle = module.object.isMainProgram ? dlopen(nullptr, RTLD_LAZY)
                                               : dlopen(module.object.path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr) return nullptr;
    void* address = dlsym(handle, symbol.c_str());
    dlclose(handle);
    Dl_info where;
    if (address == nullptr || dladdr(address, &where) == 0 || where.dli_fbase != module.object.base) return nullptr;
    return address;
}

DWORD CopyModulePath(const std::string& path, LPWSTR buffer, DWORD size) {
    const std::wstring text = WideFromUtf8(path);
    const int copied = CopyTruncated(text, buffer, static_cast<int>(std::min<DWORD>(size, INT_MAX)));
    if (static_cast<size_t>(copied) < text.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    return static_cast<DWORD>(copied);
}

}  // namespace
}  // namespace win32shim

using namespace win32shim;

extern "C" HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
    if (lpLibFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string path = AbsolutePath(Utf8FromWide(ApiString(lpLibFileName)));
    if (IsSpecialFile(path)) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> lock(loaderLock);
    void* dlHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (dlHandle == nullptr) {
        SetLastError(LoadFailure(path));
        return nullptr;
    }
    const auto object = ObjectOfHandle(dlHandle);
    if (!object) {
        dlclose(dlHandle);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    HMODULE module = object->base;
    auto& loaded = loadedModules[module];
    if (loaded.references++ > 0) {
        dlclose(dlHandle);  // one dlopen reference is kept per module
        return module;
    }
    loaded.dlHandle = dlHandle;
    if (!Attach(module, loaded)) {
        loadedModules.erase(module);
        ForgetModuleInfo(module);
        dlclose(dlHandle);
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    return module;
}

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    std::lock_guard<std::recursive_mutex> lock(loaderLock);
    const auto found = loadedModules.find(hLibModule);
    if (found == loadedModules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--found->second.references > 0) return TRUE;
    const LoadedModule loaded = found->second;
    loadedModules.erase(found);
    if (loaded.entry != nullptr) loaded.entry(hLibModule, DLL_PROCESS_DETACH, nullptr);
    ForgetModuleInfo(hLibModule);
    dlclose(loaded.dlHandle);
    return TRUE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    const auto info = ModuleInfoFor(hModule);
    if (!info) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // ELF modules have no export ordinals.
    void* address = nullptr;
    if (!IS_INTRESOURCE(lpProcName)) {
        address = SymbolInModule(*info, lpProcName);
        if (address == nullptr) {
            const std::string symbol = MangledExport(*info, lpProcName);
            if (!symbol.empty()) address = SymbolInModule(*info, symbol);
        }
    }
    if (address == nullptr) SetLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(address);
}

extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    const auto object = hModule == nullptr ? std::optional<LoadedObject>(MainProgram()) : FindLoadedObject(hModule);
    if (!object) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    return CopyModulePath(AbsolutePath(object->path), lpFilename, nSize);
}

// Finds a loaded module by its path or file name, without loading it.
extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
    if (lpModuleName == nullptr) return MainProgram().base;
    const auto object = FindLoadedObjectByName(Utf8FromWide(ApiString(lpModuleName)));
    if (!object) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return object->base;
}

// The shim sends no thread notifications, so there is nothing to turn off.
extern "C" BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule) {
    if (!FindLoadedObject(hLibModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
