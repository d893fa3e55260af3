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

    // Null, with the reason in *error when error is given, if the library
    // cannot be loaded, lacks one of the six exports, was built for another
    // SDK version, refuses to initialise or offers a class already listed;
    // whatever was done is undone.
    static std::unique_ptr<PluginLibrary> Load(const std::wstring& path, std::string* error);

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

}  // namespace standin
