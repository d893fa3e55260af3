// Animatable: the root of every object the host manages, with its identity,
// its sub-animatables and its parameter blocks.
#pragma once

#include <windows.h>

#include "coreexp.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strclass.h"

class IParamBlock2;

// <windows.h> names GetClassNameW so; here it is the member's own name, and
// Win32 code keeps the function under that name.
#undef GetClassName
inline int GetClassName(HWND hWnd, LPMSTR lpClassName, int nMaxCount) {
    return GetClassNameW(hWnd, lpClassName, nMaxCount);
}

class Animatable : public MaxHeapOperators {
protected:
    // Only DeleteThis ends an object.
    CoreExport virtual ~Animatable() = 0;

public:
    CoreExport Animatable();
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;

    CoreExport virtual void DeleteThis();
    virtual void GetClassName(MSTR& s, bool /*localized*/) const { s = _M("Animatable"); }
    CoreExport virtual SClass_ID SuperClassID() = 0;
    CoreExport virtual Class_ID ClassID();
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int /*i*/) { return nullptr; }
    CoreExport virtual MSTR SubAnimName(int i, bool localized);
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int /*i*/) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(BlockID /*id*/) { return nullptr; }
};

// The animate mode: while it is on, setting an animatable parameter at a
// time makes a key there instead of changing the value at all times.
CoreExport void AnimateOn();
CoreExport void AnimateOff();
CoreExport BOOL Animating();
