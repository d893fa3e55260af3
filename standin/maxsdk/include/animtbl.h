// Animatable: the root of every object the host manages, with its identity,
// its sub-animatables and its parameter blocks.
#pragma once

#include "coreexp.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strclass.h"

class IParamBlock2;

class CoreExport Animatable : public MaxHeapOperators {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;
    virtual ~Animatable();

    virtual void GetClassName(MSTR& s, bool localized = true) const;
    virtual MSTR SubAnimName(int i, bool localized = true);
    virtual int NumSubs();
    virtual Animatable* SubAnim(int i);
    virtual int NumParamBlocks();
    virtual IParamBlock2* GetParamBlock(int i);
    virtual IParamBlock2* GetParamBlockByID(BlockID id);
    virtual void DeleteThis();
    virtual SClass_ID SuperClassID();
    virtual Class_ID ClassID();
};

// The animate mode: while it is on, setting an animatable parameter at a
// time makes a key there instead of changing the value at all times.
CoreExport void AnimateOn();
CoreExport void AnimateOff();
CoreExport BOOL Animating();
