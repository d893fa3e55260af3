// A class whose inline members the header marks for export, as some of the
// SDK's own headers do: Visual C++ instantiates and exports a dllexport
// inline function in every module that includes it, so a module built
// against the SDK exports this class's members beside its own entry points.
#pragma once

namespace MaxSDK {

class MeshChannels {
public:
    __declspec(dllexport) int Count() const { return count; }
    __declspec(dllexport) void Clear() { count = 0; }

private:
    int count = 0;
};

}  // namespace MaxSDK
