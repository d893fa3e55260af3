// A module built with a header that marks inline members for export, as
// some of the SDK's headers do: it exports them beside its entry point,
// and, with STRAY_EXPORT, a member of a class of its own that no .def file
// names.
#include "../sdk_folder/Util/MeshChannels.h"

int Entry() {
    MaxSDK::MeshChannels channels;
    channels.Clear();
    return channels.Count();
}

#ifdef STRAY_EXPORT
class StrayCounter {
public:
    __declspec(dllexport) int Value() const { return 1; }
};
#endif
