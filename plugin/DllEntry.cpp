// The library's entry point, its six exports and the string loader.
#include "plugin/Plugin.h"

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

// The six exports, declared in plugapi.h: Aurivel.def exports them under
// these undecorated names and ordinals, and nothing else.
const TCHAR* LibDescription() { return GetString(IDS_LIB_DESCRIPTION); }

int LibNumberClasses() { return 1; }

ClassDesc* LibClassDesc(int i) { return i == 0 ? GetAurivelDesc() : nullptr; }

ULONG LibVersion() { return VERSION_3DSMAX; }

int LibInitialize() { return TRUE; }

int LibShutdown() { return TRUE; }
