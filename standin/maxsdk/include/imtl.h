// Materials and maps: the shade context a map is evaluated in, the base of
// every material and map (MtlBase), texture maps, texture outputs and the
// material editor's dialog interfaces.
#pragma once

#include <windows.h>

#include "acolor.h"
#include "baseinterface.h"
#include "color.h"
#include "box3.h"
#include "matrix3.h"
#include "point2.h"
#include "quat.h"
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
class LightDesc;
class RenderGlobalContext;

enum SCMode { SCMODE_NORMAL, SCMODE_SHADOW };
// The frame of reference of a point or vector.
enum RefFrame { REF_CAMERA = 0, REF_WORLD, REF_OBJECT };

// What shading a sample produced: its colour, transparency and G-buffer
// id.
class ShadeOutput : public BaseInterfaceServer {
public:
    ULONG flags = 0;
    Color c, t;
    float ior = 1.0f;
    int gbufId = 0;
    int nElements = 0;
    AColor elementVals[32];
};

class ShadeContext : public InterfaceServer {
public:
    STANDIN_SLOTS_ShadeContext_0
    virtual Point3 Normal() = 0;
    STANDIN_SLOTS_ShadeContext_1
    virtual Point3 V() = 0;
    STANDIN_SLOTS_ShadeContext_2
    virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }
    STANDIN_SLOTS_ShadeContext_3

    SCMode mode = SCMODE_NORMAL;
    BOOL doMaps = TRUE;
    BOOL filterMaps = TRUE;
    BOOL shadow = FALSE;
    BOOL backFace = FALSE;
    int mtlNum = 0;
    Color ambientLight;
    int nLights = 0;
    int rayLevel = 0;
    int xshadeID = 0;
    LightDesc* atmosSkipLight = nullptr;
    RenderGlobalContext* globContext = nullptr;
    ShadeOutput out;
};

class ParamDlg : public InterfaceServer {
public:
    virtual Class_ID ClassID() = 0;
    virtual void SetThing(ReferenceTarget* m) = 0;
    virtual ReferenceTarget* GetThing() = 0;
    virtual void SetTime(TimeValue t) = 0;
    virtual void ReloadDialog() = 0;
    virtual void DeleteThis() = 0;
    virtual void ActivateDlg(BOOL onOff) = 0;
    STANDIN_SLOTS_ParamDlg_7
};

#define ROLLUP_CAT_STANDARD 4000

// What the material editor offers the dialogs it shows.
class IMtlParams : public InterfaceServer {
public:
    STANDIN_SLOTS_IMtlParams_0
    virtual HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    STANDIN_SLOTS_IMtlParams_2
    virtual void DeleteRollupPage(HWND hRollup) = 0;
    STANDIN_SLOTS_IMtlParams_3
    virtual TimeValue GetTime() = 0;
    STANDIN_SLOTS_IMtlParams_4
};

class ISubMap : public MaxHeapOperators {
public:
    virtual ~ISubMap() {}
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int /*i*/) { return nullptr; }
    virtual int MapSlotType(int i) = 0;
    virtual void SetSubTexmap(int /*i*/, Texmap* /*m*/) {}
    virtual int SubTexmapOn(int /*i*/) { return 1; }
    STANDIN_SLOTS_ISubMap_6
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

    BaseInterface* GetInterface(Interface_ID id) override { return ReferenceTarget::GetInterface(id); }
    ReferenceTarget* GetRefTarget() override { return this; }
    int MapSlotType(int /*i*/) override { return defaultSlotType; }

    STANDIN_SLOTS_MtlBase_0
    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) = 0;
    STANDIN_SLOTS_MtlBase_4

    // The header, as sub-chunks of whatever chunk the caller has open.
    CoreExport IOResult Save(ISave* isave) override;
    CoreExport IOResult Load(ILoad* iload) override;
    // What a copy of a material or map takes over besides its header: here
    // nothing (the header is copied by operator=).
    CoreExport void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;

private:
    MSTR name;

protected:
    ULONG mtlFlags = 0;
    int defaultSlotType = 0;  // a map
    int activeCount = 0;

private:
    class MtlBaseImplData;
    MaxSDK::Util::AutoPtr<MtlBaseImplData> mMtlBaseImplData;

public:
    Quat meditRotate;
    ULONG gbufID = 0;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_MtlBase
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
    STANDIN_SLOTS_Texmap_3
    // A map without UV coordinates of its own maps them unchanged.
    virtual void GetUVTransform(Matrix3& uvtrans) { uvtrans.IdentityMatrix(); }
    STANDIN_SLOTS_Texmap_4

    int cacheID = 0;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_Texmap
};

class TextureOutput : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }

    virtual AColor Filter(AColor c) = 0;
    virtual float Filter(float f) = 0;
    virtual Point3 Filter(Point3 p) = 0;
    // The output amount.
    virtual float GetOutputLevel(TimeValue t) = 0;
    virtual void SetOutputLevel(TimeValue t, float v) = 0;
    STANDIN_SLOTS_TextureOutput_5

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_TextureOutput
};
