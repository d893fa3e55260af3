// Materials and maps: the shade context a map is evaluated in, the base of
// every material and map (MtlBase), texture maps, texture outputs and the
// material editor's dialog interfaces.
#pragma once

#include <windows.h>

#include "acolor.h"
#include "coreexp.h"
#include "interval.h"
#include "ioapi.h"
#include "maxheap.h"
#include "plugapi.h"
#include "point3.h"
#include "ref.h"
#include "strclass.h"

class Texmap;
class ParamDlg;

class ShadeContext : public MaxHeapOperators {
public:
    virtual ~ShadeContext() {}
    virtual Point3 Normal() = 0;
    virtual Point3 V() = 0;
    virtual void SetGBufferID(int /*gbid*/) {}
};

class ParamDlg : public MaxHeapOperators {
public:
    virtual ~ParamDlg() {}
    virtual Class_ID ClassID() = 0;
    virtual void SetThing(ReferenceTarget* m) = 0;
    virtual ReferenceTarget* GetThing() = 0;
    virtual void SetTime(TimeValue t) = 0;
    virtual void ReloadDialog() = 0;
    virtual void DeleteThis() = 0;
    virtual void ActivateDlg(BOOL onOff) = 0;
};

#define ROLLUP_CAT_STANDARD 4000

// What the material editor offers the dialogs it shows.
class IMtlParams : public MaxHeapOperators {
public:
    virtual ~IMtlParams() {}
    virtual HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual void DeleteRollupPage(HWND hRollup) = 0;
    virtual TimeValue GetTime() = 0;
};

class ISubMap : public MaxHeapOperators {
public:
    virtual ~ISubMap() {}
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int /*i*/) { return nullptr; }
    virtual int MapSlotType(int i) = 0;
    virtual void SetSubTexmap(int /*i*/, Texmap* /*m*/) {}
    virtual int SubTexmapOn(int /*i*/) { return 1; }
    [[deprecated("name the slot with GetSubTexmapSlotName(i, localized)")]] virtual MSTR GetSubTexmapSlotName(int i) final {
        return GetSubTexmapSlotName(i, true);
    }
    CoreExport virtual MSTR GetSubTexmapSlotName(int i, bool localized);  // empty by default
    // The slot's name as track view shows it: the slot name, or "Map #n"
    // (n counted from 1) for a slot without one.
    CoreExport MSTR GetSubTexmapTVName(int i, bool localized = true);
    virtual BOOL SetDlgThing(ParamDlg* /*dlg*/) { return FALSE; }
    virtual ReferenceTarget* GetRefTarget() = 0;
};

class MtlBase : public ReferenceTarget, public ISubMap {
public:
    CoreExport MtlBase();
    CoreExport ~MtlBase() override;
    // Copies the header: the name and the G-buffer id.
    CoreExport MtlBase& operator=(const MtlBase& m);

    MSTR& GetName() { return name; }
    CoreExport void SetName(MSTR s);

    ReferenceTarget* GetRefTarget() override { return this; }

    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) = 0;

    // The header, as sub-chunks of whatever chunk the caller has open.
    CoreExport IOResult Save(ISave* isave) override;
    CoreExport IOResult Load(ILoad* iload) override;
    // What a copy of a material or map takes over besides its header: here
    // nothing (the header is copied by operator=).
    CoreExport void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;

    ULONG gbufID = 0;

private:
    MSTR name;
};

class Texmap : public MtlBase {
public:
    CoreExport Texmap();

    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    int MapSlotType(int /*i*/) override { return 0; }  // its slots take maps
    CoreExport void RefAdded(RefMakerHandle rm) override;

    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // The mean of EvalColor's three channels.
    virtual float EvalMono(ShadeContext& sc) { return Intens(EvalColor(sc)); }
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;
};

class TextureOutput : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }
    int MapSlotType(int /*i*/) override { return 0; }  // it has no slots

    virtual AColor Filter(AColor c) = 0;
    virtual float Filter(float f) = 0;
    virtual Point3 Filter(Point3 p) = 0;
    // The output amount.
    virtual float GetOutputLevel(TimeValue t) = 0;
    virtual void SetOutputLevel(TimeValue t, float v) = 0;
};
