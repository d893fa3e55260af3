// The reference system. A maker records, slot by slot, the targets it holds;
// a target records its makers, once per slot. Both records live in the base
// classes, so either side can be deleted first and the other is left clean.
#include "ref.h"

#include <algorithm>
#include <vector>

class ReferenceMaker::ReferenceMakerImplData : public MaxHeapOperators {
public:
    std::vector<RefTargetHandle> slots;
};

class ReferenceTarget::RefList : public MaxHeapOperators {
public:
    std::vector<RefMakerHandle> makers;
};

// ReferenceMaker ------------------------------------------------------------

ReferenceMaker::ReferenceMaker() : mImplData(new ReferenceMakerImplData) {}

ReferenceMaker::~ReferenceMaker() {
    // One slot at a time: releasing a target may delete it and, through its
    // destructor, clear further slots of this maker.
    for (;;) {
        auto held = std::find_if(mImplData->slots.rbegin(), mImplData->slots.rend(),
                                 [](RefTargetHandle t) { return t != nullptr; });
        if (held == mImplData->slots.rend()) break;
        RefTargetHandle target = *held;
        *held = nullptr;
        Release(target, true);
    }
}

SClass_ID ReferenceMaker::SuperClassID() { return REF_MAKER_CLASS_ID; }
int ReferenceMaker::NumRefs() { return 0; }
RefTargetHandle ReferenceMaker::GetReference(int /*i*/) { return nullptr; }
void ReferenceMaker::SetReference(int /*i*/, RefTargetHandle /*rtarg*/) {}
IOResult ReferenceMaker::Save(ISave* /*isave*/) { return IO_OK; }
IOResult ReferenceMaker::Load(ILoad* /*iload*/) { return IO_OK; }
RefResult ReferenceMaker::NotifyDependents(const Interval& /*changeInt*/, PartID /*partID*/, RefMessage /*message*/,
                                           SClass_ID /*sclass*/, BOOL /*propagate*/, RefTargetHandle /*hTarg*/,
                                           NotifyDependentsOption /*option*/) {
    return REF_SUCCEED;
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs()) return REF_FAIL;
    RefTargetHandle old = HeldAt(which);
    if (old == newtarg) return REF_SUCCEED;
    if (newtarg && newtarg->DependsOn(this)) return REF_FAIL;
    Hold(which, newtarg);
    SetReference(which, newtarg);
    if (newtarg) newtarg->RefAdded(this);
    if (old) Release(old, delOld != FALSE);
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) { return ReplaceReference(i, nullptr, TRUE); }

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    // Deleting one target may clear further slots of this maker.
    for (size_t i = mImplData->slots.size(); i-- > 0;) {
        if (i < mImplData->slots.size() && mImplData->slots[i]) DeleteReference(static_cast<int>(i));
    }
    return REF_SUCCEED;
}

void ReferenceMaker::DeleteMe() {
    // References to this object go first: otherwise releasing its own
    // targets could leave it as the orphan of one of them.
    DeleteAllRefsToMe();
    DeleteAllRefsFromMe();
    DeleteThis();
}

RefTargetHandle ReferenceMaker::HeldAt(int slot) const {
    const auto i = static_cast<size_t>(slot);
    return i < mImplData->slots.size() ? mImplData->slots[i] : nullptr;
}

void ReferenceMaker::Hold(int slot, RefTargetHandle target) {
    const auto i = static_cast<size_t>(slot);
    if (i >= mImplData->slots.size()) mImplData->slots.resize(i + 1, nullptr);
    mImplData->slots[i] = target;
    if (target) target->mRefs->makers.push_back(this);
}

void ReferenceMaker::Release(RefTargetHandle target, bool deleteIfOrphaned) {
    auto& deps = target->mRefs->makers;
    auto mine = std::find(deps.begin(), deps.end(), this);
    if (mine != deps.end()) deps.erase(mine);
    target->RefDeleted(this);
    if (deleteIfOrphaned && deps.empty()) target->DeleteThis();
}

void ReferenceMaker::DropReferencesTo(RefTargetHandle target) {
    auto& deps = target->mRefs->makers;
    deps.erase(std::remove(deps.begin(), deps.end(), this), deps.end());
    for (size_t i = 0; i < mImplData->slots.size(); ++i) {
        if (mImplData->slots[i] == target) {
            mImplData->slots[i] = nullptr;
            SetReference(static_cast<int>(i), nullptr);
        }
    }
}

// True when `other` can be reached from this maker through references.
bool ReferenceMaker::DependsOn(const ReferenceMaker* other) const {
    std::vector<const ReferenceMaker*> pending{this};
    std::vector<const ReferenceMaker*> seen;
    while (!pending.empty()) {
        const ReferenceMaker* m = pending.back();
        pending.pop_back();
        if (m == other) return true;
        if (std::find(seen.begin(), seen.end(), m) != seen.end()) continue;
        seen.push_back(m);
        for (RefTargetHandle t : m->mImplData->slots) {
            if (t) pending.push_back(t);
        }
    }
    return false;
}

// ReferenceTarget -----------------------------------------------------------

ReferenceTarget::ReferenceTarget() : mRefs(new RefList) {}
ReferenceTarget::~ReferenceTarget() {
    DeleteAllRefsToMe();
    delete mRefs;
}

void ReferenceTarget::GetClassName(MSTR& s, bool /*localized*/) const { s = _M("ReferenceTarget"); }
SClass_ID ReferenceTarget::SuperClassID() { return REF_TARGET_CLASS_ID; }

RefResult ReferenceTarget::DeleteAllRefsToMe() {
    while (!mRefs->makers.empty()) mRefs->makers.back()->DropReferencesTo(this);
    return REF_SUCCEED;
}

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                            SClass_ID sclass, BOOL propagate, RefTargetHandle hTarg,
                                            NotifyDependentsOption /*option*/) {
    // A maker may drop its reference, or another maker may appear, while
    // the message goes round: only makers that still refer are told, once.
    std::vector<RefMakerHandle> makers;
    for (RefMakerHandle m : mRefs->makers) {
        if (std::find(makers.begin(), makers.end(), m) == makers.end()) makers.push_back(m);
    }
    for (RefMakerHandle m : makers) {
        if (std::find(mRefs->makers.begin(), mRefs->makers.end(), m) == mRefs->makers.end()) continue;
        if (sclass != NOTIFY_ALL && m->SuperClassID() != sclass) continue;
        PartID part = partID;
        m->NotifyRefChanged(changeInt, hTarg ? hTarg : this, part, message, propagate);
    }
    return REF_SUCCEED;
}

RefTargetHandle ReferenceTarget::Clone(RemapDir& /*remap*/) { return nullptr; }
void ReferenceTarget::BaseClone(ReferenceTarget* /*from*/, ReferenceTarget* /*to*/, RemapDir& /*remap*/) {}
