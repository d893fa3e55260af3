// The Aurivel texture map: a metal's Fresnel reflectance from its complex index
// of refraction, with hue, saturation and gamma adjustment.
#pragma once

#include "max.h"
#include "iparamb2.h"
#include "imtl.h"
#include "shading/shading_types.h"

#define AURIVEL_CLASS_ID Class_ID(0x9F6ECB34, 0x768F22AB)

// The chunk that holds the base material header in the map's own save data.
#define MTL_HDR_CHUNK 0x4000

class Aurivel : public Texmap {
public:
    Aurivel();

    // Animatable
    void DeleteThis() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    int NumSubs() override;
    Animatable* SubAnim(int i) override;
    MSTR SubAnimName(int i, bool localized = true) override;
    int NumParamBlocks() override;
    IParamBlock2* GetParamBlock(int i) override;
    IParamBlock2* GetParamBlockByID(BlockID id) override;

    // ReferenceMaker / ReferenceTarget
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    RefTargetHandle Clone(RemapDir& remap) override;

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;
    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override;

    // Texmap
    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    // ISubMap
    int NumSubTexmaps() override;
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    int SubTexmapOn(int i) override;
    MSTR GetSubTexmapSlotName(int i, bool localized) override;
    BOOL SetDlgThing(ParamDlg* dlg) override;
    ReferenceTarget* GetRefTarget() override;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID, RefMessage message,
                               BOOL propagate) override;

private:
    void SetGBufferIDOf(ShadeContext& sc) const;

    // Evaluation cache, written by Update only and read by every sample.
    Interval ivalid;
    aurivel::OpticalConstants ior;
    float hueShift;
    float satShift;
    float gammaExp;

    // kRefParams, kRefTexout and kRefSubMap (AurivelParams.h; the sub-map
    // slot is not part of the evaluation).
    IParamBlock2* pblock;
    Texmap* subTex[1];
    TextureOutput* texout;
};
