// Animatable: the root of every object the host manages, with its identity,
// its sub-animatables and its parameter blocks.
#pragma once

#include "coreexp.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strclass.h"

class IParamBlock2;

// <windows.h> names GetClassNameW so; here it is the member's own name.
#undef GetClassName

class Animatable : public MaxHeapOperators {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;
    CoreExport virtual ~Animatable();

    virtual void GetClassName(MSTR& s, bool /*localized*/ = true) const { s = _M("Animatable"); }
    CoreExport virtual MSTR SubAnimName(int i, bool localized = true);
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int /*i*/) { return nullptr; }
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int /*i*/) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(BlockID /*id*/) { return nullptr; }
    CoreExport virtual void DeleteThis();
    virtual SClass_ID SuperClassID() { return 0; }
    CoreExport virtual Class_ID ClassID();
};

// The animate mode: while it is on, setting an animatable parameter at a
// time makes a key there instead of changing the value at all times.
CoreExport void AnimateOn();
CoreExport void AnimateOff();
CoreExport BOOL Animating();
