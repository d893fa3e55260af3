// A plug-in library for the PluginLibrary tests: one class, and the SDK
// version it claims chosen when it is built.
#include "event_log.h"

#include <windows.h>

#include "plugapi.h"
#include "standin/class_directory.h"

#ifndef TEST_PLUGIN_VERSION
#define TEST_PLUGIN_VERSION VERSION_3DSMAX
#endif

namespace {

const Class_ID kTestClassId(0x7E57C1A5, 0x0000D1E7);

class TestClassDesc : public ClassDesc {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return L"TestMap"; }
    const MCHAR* NonLocalizedClassName() override { return L"TestMap"; }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return kTestClassId; }
    const MCHAR* Category() override { return L"Test"; }
};

TestClassDesc testClassDesc;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, ULONG reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) RecordEvent("detach");
    return TRUE;
}

__declspec(dllexport) const TCHAR* LibDescription() { return L"Test plug-in \u00B5"; }
__declspec(dllexport) int LibNumberClasses() { return 2; }
__declspec(dllexport) ClassDesc* LibClassDesc(int i) { return i == 0 ? &testClassDesc : nullptr; }
__declspec(dllexport) ULONG LibVersion() { return TEST_PLUGIN_VERSION; }

__declspec(dllexport) int LibInitialize() {
    RecordEvent("initialize");
    return TRUE;
}

__declspec(dllexport) int LibShutdown() {
    const bool listed = standin::ClassDirectory::Instance().Find(TEXMAP_CLASS_ID, kTestClassId) != nullptr;
    RecordEvent(listed ? "shutdown with the class listed" : "shutdown");
    return TRUE;
}
