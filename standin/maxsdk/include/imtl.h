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

class CoreExport ShadeContext : public MaxHeapOperators {
public:
    virtual ~ShadeContext();
    virtual Point3 Normal() = 0;
    virtual Point3 V() = 0;
    virtual void SetGBufferID(int gbid);
};

class CoreExport ParamDlg : public MaxHeapOperators {
public:
    virtual ~ParamDlg();
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
class CoreExport IMtlParams : public MaxHeapOperators {
public:
    virtual ~IMtlParams();
    virtual HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual void DeleteRollupPage(HWND hRollup) = 0;
    virtual TimeValue GetTime() = 0;
};

class CoreExport ISubMap {
public:
    virtual ~ISubMap();
    virtual int NumSubTexmaps();
    virtual Texmap* GetSubTexmap(int i);
    virtual void SetSubTexmap(int i, Texmap* m);
    virtual int SubTexmapOn(int i);
    virtual MSTR GetSubTexmapSlotName(int i, bool localized);  // empty by default
    // The slot's name as track view shows it: the slot name, or "Map #n"
    // (n counted from 1) for a slot without one.
    MSTR GetSubTexmapTVName(int i, bool localized = true);
    virtual BOOL SetDlgThing(ParamDlg* dlg);
    virtual ReferenceTarget* GetRefTarget() = 0;
};

class CoreExport MtlBase : public ReferenceTarget, public ISubMap {
public:
    MtlBase() = default;
    // Copies the header: the name and the G-buffer id.
    MtlBase& operator=(const MtlBase& m);

    const MSTR& GetName() const { return name; }
    void SetName(const MSTR& s) { name = s; }

    ReferenceTarget* GetRefTarget() override { return this; }

    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) = 0;

    // The header, as sub-chunks of whatever chunk the caller has open.
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    ULONG gbufID = 0;

private:
    MSTR name;
};

class CoreExport Texmap : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }

    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // The mean of EvalColor's three channels.
    virtual float EvalMono(ShadeContext& sc);
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;
};

class CoreExport TextureOutput : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }

    virtual AColor Filter(AColor c) = 0;
    virtual float Filter(float f) = 0;
    virtual Point3 Filter(Point3 p) = 0;
    // The output amount, for outputs that have one.
    virtual float GetOutputLevel(TimeValue t);
    virtual void SetOutputLevel(TimeValue t, float v);
};
