// The host's loader of plug-in libraries.
#include "standin/plugin_library.h"

#include <windows.h>

#include <cstdio>

#include "files/input_file.h"
#include "maxversion.h"
#include "standin/class_directory.h"

namespace standin {
namespace {

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    return bytes;
}

std::string Hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

constexpr HostRelease kReleases[] = {
    {2023, 25000, 62},
    {2024, 26000, 64},
    {2025, 27000, 66},
    {2026, 28000, 68},
};

ULONG ReleaseOf(ULONG version) { return version >> 16; }
ULONG ApiNumberOf(ULONG version) { return (version >> 8) & 0xFF; }

bool BuiltFor(ULONG version, const HostRelease& host) {
    return ReleaseOf(version) == host.maxRelease && ApiNumberOf(version) == host.apiNumber;
}

// "3ds Max 2026 (SDK version 0x6D604400)"; a release number of no known
// year is given as it stands.
std::string ReleaseName(ULONG version) {
    for (const HostRelease& release : kReleases)
        if (BuiltFor(version, release))
            return "3ds Max " + std::to_string(release.year) + " (SDK version " + Hex(version) + ")";
    return "SDK version " + Hex(version) + " (release " + std::to_string(ReleaseOf(version)) + ", API " +
           std::to_string(ApiNumberOf(version)) + ")";
}

ULONG VersionOf(const HostRelease& host) { return (host.maxRelease << 16) + (host.apiNumber << 8); }

// GetProcAddress hands out a generic function pointer; going through
// void (*)() casts it to the export's type without a warning.
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    if (!function && missing.empty()) missing = name;
    return function != nullptr;
}

bool ResolveExports(HMODULE module, PluginLibrary::Exports& exports, std::string& missing) {
    // Every one is looked up, so the first missing one is named.
    bool found = Resolve(module, "LibDescription", exports.libDescription, missing);
    found &= Resolve(module, "LibNumberClasses", exports.libNumberClasses, missing);
    found &= Resolve(module, "LibClassDesc", exports.libClassDesc, missing);
    found &= Resolve(module, "LibVersion", exports.libVersion, missing);
    found &= Resolve(module, "LibInitialize", exports.libInitialize, missing);
    found &= Resolve(module, "LibShutdown", exports.libShutdown, missing);
    return found;
}

std::wstring ClassNameOf(ClassDesc* cd) {
    const MCHAR* name = cd->ClassName();
    return name ? name : L"(unnamed)";
}

// Why the system loader refused the path, in words: what is (or is not)
// there, else what its error code means.
std::string WhyNotLoaded(const std::string& name, DWORD code) {
    try {
        aurivel::files::InputFile file(name);
    } catch (const aurivel::files::FileError& e) {
        return e.what();
    }
    switch (code) {
        case ERROR_BAD_EXE_FORMAT:
            return name + " is not a module: it is not a library built for this system";
        case ERROR_MOD_NOT_FOUND:
            return name + " needs a library that cannot be found";
        case ERROR_DLL_INIT_FAILED:
            return name + " refused to start: its DllMain failed";
        default:
            return name + " cannot be loaded (Windows error " + std::to_string(code) + ")";
    }
}

std::unique_ptr<PluginLibrary> Refuse(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return nullptr;
}

}  // namespace

const HostRelease* FindRelease(int year) {
    for (const HostRelease& release : kReleases)
        if (release.year == year) return &release;
    return nullptr;
}

const HostRelease& ThisRelease() {
    static const HostRelease release{MAX_PRODUCT_YEAR_NUMBER, MAX_RELEASE, MAX_API_NUM};
    return release;
}

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::wstring& path, std::string* error,
                                                   const HostRelease& host) {
    const std::string name = Utf8(path);
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return Refuse(error, WhyNotLoaded(name, GetLastError()));

    Exports exports{};
    std::string missing;
    if (!ResolveExports(module, exports, missing)) {
        FreeLibrary(module);
        return Refuse(error, name + " is not a plug-in library: it does not export " + missing);
    }
    const ULONG version = exports.libVersion();
    if (!BuiltFor(version, host)) {
        FreeLibrary(module);
        return Refuse(error, name + " is a plug-in for another release of 3ds Max: built for " + ReleaseName(version) +
                                 ", this host is " + ReleaseName(VersionOf(host)));
    }
    if (!exports.libInitialize()) {
        FreeLibrary(module);
        return Refuse(error, name + " refused to start: its LibInitialize failed");
    }

    std::unique_ptr<PluginLibrary> library(new PluginLibrary(module, exports));
    for (int i = 0; i < exports.libNumberClasses(); ++i) {
        ClassDesc* cd = exports.libClassDesc(i);
        if (!cd) continue;
        if (!ClassDirectory::Instance().Add(cd))
            return Refuse(error, name + " offers a class that is already listed, " + Utf8(ClassNameOf(cd)));
        library->listed_.push_back(cd);
    }
    return library;
}

PluginLibrary::~PluginLibrary() {
    for (ClassDesc* cd : listed_) ClassDirectory::Instance().Remove(cd);
    exports_.libShutdown();
    FreeLibrary(module_);
}

std::wstring PluginLibrary::Description() const {
    const TCHAR* text = exports_.libDescription();
    return text ? std::wstring(text) : std::wstring();
}

}  // namespace standin
