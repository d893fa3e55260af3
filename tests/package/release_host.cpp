// A host of one release of 3ds Max, for the checks of a multi-release
// package: loads a module as that release's host does and prints what it
// finds, or why it refused the module.
//   release_host <year> <module>
// Prints "loaded <class name>" and the module's version resource as
// "<name>=<value>" lines and exits 0; prints the host's reason and exits 1
// when it refuses the module; exits 2 on a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "standin/plugin_library.h"
#include "utf/utf.h"

namespace {

// The fixed file and product versions and the US-English strings of the
// module's version resource, as Windows reads them.
void PrintVersionResource(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        std::printf("no version resource\n");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        std::printf("FileVersionNumbers=%lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16,
                    fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
        std::printf("ProductVersionNumbers=%lu.%lu.%lu.%lu\n", fixed->dwProductVersionMS >> 16,
                    fixed->dwProductVersionMS & 0xFFFF, fixed->dwProductVersionLS >> 16,
                    fixed->dwProductVersionLS & 0xFFFF);
    }
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName", L"FileDescription",
                                L"OriginalFilename"}) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value)
            std::printf("%s=%s\n", aurivel::utf::Utf8FromWide(name).c_str(), aurivel::utf::Utf8FromWide(value).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const standin::HostRelease* release = argc == 3 ? standin::FindRelease(std::atoi(argv[1])) : nullptr;
    if (!release) {
        std::fprintf(stderr, "usage: release_host <year from 2023 to 2026> <module>\n");
        return 2;
    }
    const std::wstring path = aurivel::utf::WideFromUtf8(argv[2]);
    std::string error;
    const auto library = standin::PluginLibrary::Load(path, &error, *release);
    if (!library) {
        std::printf("%s\n", error.c_str());
        return 1;
    }
    ClassDesc* desc = library->NumClasses() == 1 ? library->Class(0) : nullptr;
    const std::string name = desc && desc->ClassName() ? aurivel::utf::Utf8FromWide(desc->ClassName()) : "(no class)";
    std::printf("loaded %s\n", name.c_str());
    PrintVersionResource(path);
    return 0;
}
