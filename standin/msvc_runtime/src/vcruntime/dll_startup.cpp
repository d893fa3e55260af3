// The entry point of a DLL: static objects are constructed before DllMain
// sees the attach and destroyed after it sees the detach.
#include "startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

// A DLL without a DllMain of its own gets this one.
extern "C" BOOL WINAPI msvc_runtime_DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#pragma comment(linker, "/alternatename:DllMain=msvc_runtime_DllMain")

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        msvc_runtime::InitializeSecurityCookie();
        msvc_runtime::UseModuleExitTable();
        if (!msvc_runtime::RunInitializers() || !DllMain(instance, reason, reserved)) {
            msvc_runtime::RunModuleExitHandlers();
            return FALSE;
        }
        return TRUE;
    }
    const BOOL result = DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_DETACH) msvc_runtime::RunModuleExitHandlers();
    return result;
}
