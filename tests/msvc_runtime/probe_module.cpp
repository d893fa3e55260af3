// A module as the host loads one: its static objects are its own, made when
// it is loaded or first used and destroyed when it is unloaded.
#include "probe_module.h"

namespace {

struct UnloadWitness {
    void (*destroyed)() = nullptr;
    ~UnloadWitness() { destroyed(); }
};

}  // namespace

extern "C" {

__declspec(dllexport) const std::type_info* ProbeTypeOfError() { return &typeid(runtime_probe::ModuleError); }

// Declared as throwing: a C function is taken not to throw unless it says so.
__declspec(dllexport) void ProbeThrow() noexcept(false) { throw runtime_probe::ModuleError("thrown by the module"); }

__declspec(dllexport) void ProbeWatchUnload(void (*destroyed)()) {
    static UnloadWitness witness;
    witness.destroyed = destroyed;
}
}
