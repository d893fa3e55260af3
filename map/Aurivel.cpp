#include "map/Aurivel.h"

#include "editor/Editor.h"
#include "map/AurivelParams.h"
#include "plugin/HostHeap.h"
#include "plugin/Plugin.h"
#include "iparamm2.h"
#include "presets/PresetRules.h"
#include "presets/preset_table.h"
#include "resource.h"
#include "stdmat.h"

namespace {

MSTR StringOrEmpty(const TCHAR* s) { return MSTR(s ? s : _T("")); }

}  // namespace

Aurivel::Aurivel()
    // The cache is stale until the first Update; its values are the defaults.
    : ivalid(),
      ior(aurivel::kDefaultPresetRow),
      hueShift(kHueDeclaration.defaultValue),
      satShift(kSatDeclaration.defaultValue),
      gammaExp(kGammaDeclaration.defaultValue),
      pblock(nullptr),
      subTex{nullptr},
      texout(nullptr) {
    GetAurivelDesc()->MakeAutoParamBlocks(this);
    Reset();
}

void Aurivel::DeleteThis() { delete this; }

void Aurivel::GetClassName(MSTR& s, bool /*localized*/) const { s = MSTR(_T("Aurivel")); }

SClass_ID Aurivel::SuperClassID() { return TEXMAP_CLASS_ID; }

Class_ID Aurivel::ClassID() { return AURIVEL_CLASS_ID; }

int Aurivel::NumSubs() { return kNumRefs; }

Animatable* Aurivel::SubAnim(int i) { return GetReference(i); }

MSTR Aurivel::SubAnimName(int i, bool /*localized*/) {
    switch (i) {
        case kRefParams:
            return StringOrEmpty(GetString(IDS_PARAMS));
        case kRefTexout:
            return StringOrEmpty(GetString(IDS_OUTPUT));
        default:
            return GetSubTexmapTVName(i - kRefSubMap, true);
    }
}

int Aurivel::NumParamBlocks() { return 1; }

IParamBlock2* Aurivel::GetParamBlock(int /*i*/) { return pblock; }

IParamBlock2* Aurivel::GetParamBlockByID(BlockID id) { return pblock->ID() == id ? pblock : nullptr; }

int Aurivel::NumRefs() { return kNumRefs; }

RefTargetHandle Aurivel::GetReference(int i) {
    switch (i) {
        case kRefParams:
            return pblock;
        case kRefTexout:
            return texout;
        default:
            return subTex[i - kRefSubMap];
    }
}

void Aurivel::SetReference(int i, RefTargetHandle rtarg) {
    switch (i) {
        case kRefParams:
            pblock = static_cast<IParamBlock2*>(rtarg);
            break;
        case kRefTexout:
            texout = static_cast<TextureOutput*>(rtarg);
            break;
        default:
            subTex[i - kRefSubMap] = static_cast<Texmap*>(rtarg);
            break;
    }
}

void Aurivel::Reset() {
    if (texout)
        texout->Reset();
    else
        ReplaceReference(kRefTexout, GetNewDefaultTextureOutput());
    ivalid.SetEmpty();
    GetAurivelDesc()->Reset(this, TRUE, TRUE);
}

void Aurivel::Update(TimeValue t, Interval& valid) {
    if (!pblock) return;
    if (!ivalid.InInterval(t)) {
        ivalid = FOREVER;
        if (texout) texout->Update(t, ivalid);
        if (IParamBlock2* block = GetParamBlock(0)) {
            // Once per validity interval, so the samples never test a value.
            const auto read = [&](ParamID id, const FloatDeclaration& declared, float& into) {
                block->GetValue(id, t, into, ivalid);
                into = EvaluatedValue(into, declared);
            };
            read(pb_nr, kNrDeclaration, ior.nr);
            read(pb_ng, kNgDeclaration, ior.ng);
            read(pb_nb, kNbDeclaration, ior.nb);
            read(pb_kr, kKrDeclaration, ior.kr);
            read(pb_kg, kKgDeclaration, ior.kg);
            read(pb_kb, kKbDeclaration, ior.kb);
            read(pb_gamma, kGammaDeclaration, gammaExp);
            read(pb_hue, kHueDeclaration, hueShift);
            read(pb_sat, kSatDeclaration, satShift);
        }
    }
    valid &= ivalid;
}

Interval Aurivel::Validity(TimeValue t) {
    Interval local;
    Update(t, local);
    return ivalid;
}

RefResult Aurivel::NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle hTarget, PartID& /*partID*/,
                                    RefMessage message, BOOL /*propagate*/) {
    if (message != REFMSG_CHANGE) return REF_SUCCEED;
    ivalid.SetEmpty();
    if (hTarget != pblock) return REF_SUCCEED;

    const ParamID id = pblock->LastNotifyParamID();
    GetAurivelDesc()->InvalidateUI(pblock->GetDesc(), id, -1);
    IParamMap2* rollout = pblock->GetMap(0);
    if (id != pb_preset) return REF_SUCCEED;

    // Presets are read and written at time 0, whatever the current time.
    aurivel::ApplyPreset(pblock, pblock->GetInt(pb_preset, 0));
    if (rollout) {
        for (ParamID constant : kOpticalConstantIDs) rollout->Invalidate(constant, 0);
    }
    aurivel::UpdateConstantControls(pblock);
    return REF_SUCCEED;
}

RefTargetHandle Aurivel::Clone(RemapDir& remap) {
    Aurivel* copy = NewOnHostHeap<Aurivel>();
    if (!copy) return nullptr;
    *static_cast<MtlBase*>(copy) = *static_cast<MtlBase*>(this);
    copy->ReplaceReference(kRefTexout, remap.CloneRef(texout));
    copy->ReplaceReference(kRefParams, remap.CloneRef(pblock));
    // The sub-map slot stays empty: the evaluation never reads it, so the
    // copy renders the same without it, and copying it would copy a whole
    // tree of maps that nothing in the copy uses.
    copy->ivalid.SetEmpty();
    BaseClone(this, copy, remap);
    return copy;
}

ParamDlg* Aurivel::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    return aurivel::OpenEditor(hwMtlEdit, imp, this, texout);
}

BOOL Aurivel::SetDlgThing(ParamDlg* dlg) { return aurivel::ShowOutputIn(dlg, texout); }

IOResult Aurivel::Save(ISave* isave) {
    isave->BeginChunk(MTL_HDR_CHUNK);
    const IOResult res = MtlBase::Save(isave);
    if (res != IO_OK) return res;
    isave->EndChunk();
    return IO_OK;
}

IOResult Aurivel::Load(ILoad* iload) {
    for (;;) {
        // A malformed stream must fail the load, not end it as if complete.
        const IOResult opened = iload->OpenChunk();
        if (opened == IO_END) return IO_OK;
        if (opened != IO_OK) return opened;
        const IOResult res = iload->CurChunkID() == MTL_HDR_CHUNK ? MtlBase::Load(iload) : IO_OK;
        const IOResult closed = iload->CloseChunk();
        if (res != IO_OK) return res;
        if (closed != IO_OK) return closed;
    }
}

int Aurivel::NumSubTexmaps() { return 1; }

Texmap* Aurivel::GetSubTexmap(int i) { return subTex[i]; }

void Aurivel::SetSubTexmap(int i, Texmap* m) { ReplaceReference(i + kRefSubMap, m, TRUE); }

int Aurivel::SubTexmapOn(int /*i*/) { return 1; }

MSTR Aurivel::GetSubTexmapSlotName(int /*i*/, bool /*localized*/) { return MSTR(_T("")); }

ReferenceTarget* Aurivel::GetRefTarget() { return this; }
