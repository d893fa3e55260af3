// A module that calls the host through maxsdk.dll, a DLL that 3ds Max does
// not have, under a name that core.dll does export: the module tables check
// must refuse it for the DLL alone.
class Animatable {
public:
    __declspec(dllimport) virtual void DeleteThis();
};

extern "C" __declspec(dllexport) void DeleteThroughTheHost(Animatable* a) { a->Animatable::DeleteThis(); }
