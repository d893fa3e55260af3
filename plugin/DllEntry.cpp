// The library's entry point, its six exports and the string loader.
#include "Plugin.h"

#include "max.h"
#include "iparamb2.h"
#include "plugapi.h"
#include "resource.h"

HINSTANCE hInstance = nullptr;

namespace {

// Shared by GetString and LibDescription: each load overwrites it.
constexpr int kStringBufferUnits = 256;
TCHAR stringBuffer[kStringBufferUnits];

}  // namespace

const TCHAR* GetString(int id) {
    if (!hInstance) return nullptr;
    return LoadStringW(hInstance, id, stringBuffer, kStringBufferUnits) != 0 ? stringBuffer : nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, ULONG fdwReason, LPVOID /*lpvReserved*/) {
    if (fdwReason == DLL_PROCESS_ATTACH) {
        hInstance = hinstDLL;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

__declspec(dllexport) const TCHAR* LibDescription() { return GetString(IDS_LIB_DESCRIPTION); }

__declspec(dllexport) int LibNumberClasses() { return 1; }

__declspec(dllexport) ClassDesc* LibClassDesc(int i) { return i == 0 ? GetAurivelDesc() : nullptr; }

__declspec(dllexport) ULONG LibVersion() { return VERSION_3DSMAX; }

__declspec(dllexport) int LibInitialize() { return TRUE; }

__declspec(dllexport) int LibShutdown() { return TRUE; }
