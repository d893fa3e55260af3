// Class identity, super class IDs, the SDK version and the class descriptor
// through which the host learns of a plug-in class and creates its objects.
#pragma once

#include "baseinterface.h"
#include "coreexp.h"
#include "ioapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "strbasic.h"

#include "maxversion.h"

// Each release's numbers.
#if MAX_PRODUCT_YEAR_NUMBER == 2026
#define MAX_RELEASE 28000
#define MAX_API_NUM 68
#else
#define MAX_RELEASE 26000
#define MAX_API_NUM 64
#endif
#define MAX_SDK_REV 0
#define VERSION_3DSMAX ((MAX_RELEASE << 16) + (MAX_API_NUM << 8) + MAX_SDK_REV)

// Super class IDs.
#define PARAMETER_BLOCK2_CLASS_ID 0x00000082
#define REF_MAKER_CLASS_ID 0x00000100
#define REF_TARGET_CLASS_ID 0x00000200
#define MATERIAL_CLASS_ID 0x00000c00
#define TEXMAP_CLASS_ID 0x00000c10
#define TEXOUTPUT_CLASS_ID 0x00000c40

class Class_ID : public MaxHeapOperators {
public:
    Class_ID() : a(0xffffffff), b(0xffffffff) {}
    Class_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}

    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }

    bool operator==(const Class_ID& cid) const { return a == cid.a && b == cid.b; }
    bool operator!=(const Class_ID& cid) const { return !(*this == cid); }
    bool operator<(const Class_ID& rhs) const { return a < rhs.a || (a == rhs.a && b < rhs.b); }

private:
    ulong a, b;
};

class Interface;
class ParamBlockDesc2;

class ParamMap2UserDlgProc;
class FPInterface;

class ClassDesc : public MaxHeapOperators {
public:
    virtual ~ClassDesc() {}

    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    STANDIN_SLOTS_ClassDesc_3
    virtual const MCHAR* ClassName() = 0;
    virtual const MCHAR* NonLocalizedClassName() = 0;
    virtual const MCHAR* InternalName() { return nullptr; }
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    STANDIN_SLOTS_ClassDesc_9
    virtual HINSTANCE HInstance() { return nullptr; }

    virtual int NumParamBlockDescs() { return 0; }
    virtual ParamBlockDesc2* GetParamBlockDesc(int /*i*/) { return nullptr; }
    virtual ParamBlockDesc2* GetParamBlockDescByID(BlockID /*id*/) { return nullptr; }
    virtual void AddParamBlockDesc(ParamBlockDesc2* /*pbd*/) {}
    STANDIN_SLOTS_ClassDesc_14
    // Installs `proc` on the block's rollout: a class without blocks has
    // none.
    virtual bool SetUserDlgProc(ParamBlockDesc2* /*pbd*/, ParamMap2UserDlgProc* /*proc*/ = nullptr) { return false; }
    STANDIN_SLOTS_ClassDesc_15
    // The function-publishing interfaces of the class.
    virtual int NumInterfaces() { return interfaces.Count(); }
    virtual FPInterface* GetInterfaceAt(int i) { return interfaces[i]; }
    STANDIN_SLOTS_ClassDesc_17

protected:
    Tab<FPInterface*> interfaces;
};

// The functions through which the host learns what a plug-in library offers,
// which every plug-in defines and names in its .def file; the .def file
// alone makes them a PE module's exports. An ELF module is built with hidden
// visibility, so on Linux they are declared visible here, where the module's
// version script (made from the .def file) finds them.
#ifndef _WIN32
__attribute__((visibility("default"))) const TCHAR* LibDescription();
__attribute__((visibility("default"))) int LibNumberClasses();
__attribute__((visibility("default"))) ClassDesc* LibClassDesc(int i);
__attribute__((visibility("default"))) ULONG LibVersion();
__attribute__((visibility("default"))) int LibInitialize();
__attribute__((visibility("default"))) int LibShutdown();
#endif
