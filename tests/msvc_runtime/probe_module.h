// What the runtime's tests and the module they load share: a type that both
// sides name, and the module's entry points, looked up by name.
#pragma once

#include <stdexcept>
#include <typeinfo>

namespace runtime_probe {

// Thrown by the module, caught by the program by its type.
struct ModuleError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The module's exports:
// ProbeTypeOfError: the module's own type descriptor of ModuleError.
using TypeOfError = const std::type_info* (*)();
// ProbeThrow: throws ModuleError("thrown by the module").
using Throw = void (*)();
// ProbeWatchUnload: makes a function-local static whose destructor calls
// `destroyed`.
using WatchUnload = void (*)(void (*destroyed)());

}  // namespace runtime_probe
