// A plug-in module for the loader tests: it carries the product's resources
// and records when its static object and its entry point run.
#include "event_log.h"

#include <windows.h>

#include "resource.h"

namespace {

HINSTANCE handleAtAttach = nullptr;
wchar_t description[256];

struct StaticObject {
    StaticObject() { RecordEvent("constructor"); }
    ~StaticObject() { RecordEvent("destructor"); }
} staticObject;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, ULONG reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        handleAtAttach = instance;
        RecordEvent(DisableThreadLibraryCalls(instance) ? "attach" : "attach without module");
    } else if (reason == DLL_PROCESS_DETACH) {
        RecordEvent("detach");
    }
#ifdef TEST_MODULE_REFUSES_ATTACH
    return FALSE;
#else
    return TRUE;
#endif
}

__declspec(dllexport) const wchar_t* LibDescription() {
    return LoadStringW(handleAtAttach, IDS_LIB_DESCRIPTION, description, 256) != 0 ? description : nullptr;
}

__declspec(dllexport) HINSTANCE HandleAtAttach() { return handleAtAttach; }

__declspec(dllexport) int Overloaded(int value) { return value; }
__declspec(dllexport) double Overloaded(double value) { return value; }

// Marked for export but missing from the .def file, so not exported.
__declspec(dllexport) int NotInDefFile() { return 1; }
