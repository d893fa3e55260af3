// Where a block declaration's tag list is read from: the arguments of the
// variadic constructor, or any other sequence (host tools, tests).
#pragma once

#include "PB2Export.h"

class ParamBlockDesc2;

namespace standin {

class PB2Export TagSource {
public:
    virtual ~TagSource();
    virtual int NextInt() = 0;
    virtual double NextDouble() = 0;
    virtual const void* NextPointer() = 0;
};

// Reads into desc, declared with an empty list, the list that follows its
// flags; a malformed list stops the program as the constructor does.
PB2Export void ReadTagList(ParamBlockDesc2& desc, TagSource& tags);

}  // namespace standin
