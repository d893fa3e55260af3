// Where a block declaration's tag list is read from: the arguments of the
// variadic constructor, or any other sequence (host tools, tests).
#pragma once

#include "coreexp.h"

namespace standin {

class PB2Export TagSource {
public:
    virtual ~TagSource();
    virtual int NextInt() = 0;
    virtual double NextDouble() = 0;
    virtual const void* NextPointer() = 0;
};

}  // namespace standin
