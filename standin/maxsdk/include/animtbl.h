// Animatable: the root of every object the host manages, with its identity,
// its sub-animatables and its parameter blocks.
#pragma once

#include <windows.h>

#include "baseinterface.h"
#include "coreexp.h"
#include "interval.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strclass.h"

class IParamBlock2;
class ParamDimension;
class IGraphNode;

// The dimension of a parameter without units.
CoreExport extern ParamDimension* defaultDim;

// A hit on a key in track view.
class TrackHitRecord {
public:
    DWORD hit = 0;
    DWORD flags = 0;
};

// Where an object sits in schematic view.
enum SvReferenceStatus { REFTYPE_CHILD, REFTYPE_SUBANIM, REFTYPE_PLUGIN };
class SvGraphNodeReference {
public:
    IGraphNode* gNode = nullptr;
    SvReferenceStatus stat = REFTYPE_CHILD;
};

enum SysNodeContext { kSNCClone, kSNCDelete, kSNCFileMerge, kSNCFileSave };

// <windows.h> names GetClassNameW so; here it is the member's own name, and
// Win32 code keeps the function under that name.
#undef GetClassName
inline int GetClassName(HWND hWnd, LPMSTR lpClassName, int nMaxCount) {
    return GetClassNameW(hWnd, lpClassName, nMaxCount);
}

class Animatable : public InterfaceServer, public MaxSDK::Util::Noncopyable {
protected:
    // Only DeleteThis ends an object.
    CoreExport ~Animatable() override = 0;

public:
    CoreExport Animatable();

    CoreExport virtual void DeleteThis();
    STANDIN_SLOTS_Animatable_1
    virtual void GetClassName(MSTR& s, bool /*localized*/ = true) const { s = _M("Animatable"); }
    CoreExport virtual SClass_ID SuperClassID() = 0;
    CoreExport virtual Class_ID ClassID();
    STANDIN_SLOTS_Animatable_4
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int /*i*/) { return nullptr; }
    STANDIN_SLOTS_Animatable_6
    CoreExport virtual MSTR SubAnimName(int i, bool localized);
    STANDIN_SLOTS_Animatable_7
    virtual ParamDimension* GetParamDimension(int /*i*/) { return defaultDim; }
    STANDIN_SLOTS_Animatable_8
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int /*i*/) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(short /*id*/) { return nullptr; }
    STANDIN_SLOTS_Animatable_11

private:
    class AnimatableImplData;
    MaxSDK::Util::AutoPtr<AnimatableImplData> mAnimatableImplData;

protected:
    DWORD tvflags1 = 0, tvflags2 = 0;
    DWORD aflag_ex = 0, aflag = 0;

private:
    BYTE reservedAprops[16] = {};

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_Animatable
};

// The animate mode: while it is on, setting an animatable parameter at a
// time makes a key there instead of changing the value at all times.
CoreExport void AnimateOn();
CoreExport void AnimateOff();
CoreExport BOOL Animating();
