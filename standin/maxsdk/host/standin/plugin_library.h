// The host's loader of plug-in libraries (.dlt): loads one, checks that it
// was built against this SDK, initialises it and lists its classes in the
// class directory for as long as the object lives. Written over the Win32
// API alone, so it runs unchanged on Windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "coreexp.h"
#include "plugapi.h"

namespace standin {

// A release of 3ds Max as its SDK numbers it (plugapi.h's MAX_RELEASE and
// MAX_API_NUM). Each release is declared not binary compatible with the one
// before, so a host loads a plug-in only when the plug-in's LibVersion
// carries the host's release and API numbers; the SDK revision may differ.
struct HostRelease {
    int year;
    ULONG maxRelease;
    ULONG apiNumber;
};

// The release of a year from 2023 to 2026; null for any other year.
CoreExport const HostRelease* FindRelease(int year);
// The release this SDK is for.
CoreExport const HostRelease& ThisRelease();

class CoreExport PluginLibrary {
public:
    // The library's exports, typed as the SDK declares them.
    struct Exports {
        const TCHAR* (*libDescription)();
        int (*libNumberClasses)();
        ClassDesc* (*libClassDesc)(int i);
        ULONG (*libVersion)();
        int (*libInitialize)();
        int (*libShutdown)();
    };

    // Loads it as a host of release `host` does. Null, with the reason in
    // *error when error is given, if the library cannot be loaded, lacks one
    // of the six exports, was built for another release, refuses to
    // initialise or offers a class already listed; whatever was done is
    // undone.
    static std::unique_ptr<PluginLibrary> Load(const std::wstring& path, std::string* error,
                                               const HostRelease& host = ThisRelease());

    // Removes the classes from the directory, calls LibShutdown and unloads
    // the library, in that order.
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HMODULE Handle() const { return module_; }
    // A copy of the library's description, empty when it has none.
    std::wstring Description() const;
    ULONG Version() const { return exports_.libVersion(); }
    int NumClasses() const { return exports_.libNumberClasses(); }
    ClassDesc* Class(int i) const { return exports_.libClassDesc(i); }
    const Exports& RawExports() const { return exports_; }

private:
    PluginLibrary(HMODULE module, const Exports& exports) : module_(module), exports_(exports) {}

    HMODULE module_;
    Exports exports_;
    std::vector<ClassDesc*> listed_;
};

// The library at `path` for a program that loads one module once and keeps
// it until it exits (a test, benchmark or fuzzing host): loaded as Load does
// on the first call, the same object on later calls. Null, with the reason in
// *error, if it cannot be loaded or another path was loaded first. The
// library is never unloaded: at the process's end the class directory that
// an unloading library leaves may already be gone.
inline PluginLibrary* LoadedForTheProcess(const std::wstring& path, std::string* error) {
    struct Loaded {
        std::wstring path;
        PluginLibrary* library;
        std::string error;
    };
    // A static's initialisation is thread-safe, in both ABIs' runtimes.
    static const Loaded loaded = [&path] {
        std::string why;
        PluginLibrary* library = PluginLibrary::Load(path, &why).release();
        return Loaded{path, library, why};
    }();
    const char* refusal = loaded.path != path ? "this process keeps another module loaded"
                          : !loaded.library   ? loaded.error.c_str()
                                              : nullptr;
    if (refusal && error) *error = refusal;
    return refusal ? nullptr : loaded.library;
}

}  // namespace standin
