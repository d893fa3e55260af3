// The host's parameter block: one value per parameter, or step keys for an
// animated one; reference parameters live in the owner's reference slots.
#include <algorithm>
#include <atomic>
#include <map>

#include "standin/unimplemented.h"
#include "builtin_classes.h"
#include "iparamb2.h"
#include "le_io.h"
#include "param_kinds.h"
#include "standin/class_directory.h"
#include "standin/paramblock_stats.h"

using standin::KindOf;
using standin::ValueKind;

namespace {

// Chunks of a saved block: which declaration it follows, then one chunk per
// stored parameter.
constexpr USHORT kIdentityChunk = 0x0001;
constexpr USHORT kParamChunk = 0x0002;

const Class_ID kParamBlock2ClassID(PARAMETER_BLOCK2_CLASS_ID, 0);

std::atomic<long> valueReads{0};

// Whether one of maker's references is target.
bool RefersTo(ReferenceMaker* maker, ReferenceTarget* target) {
    for (int i = 0; i < maker->NumRefs(); ++i) {
        if (maker->GetReference(i) == target) return true;
    }
    return false;
}

struct Key {
    TimeValue t;
    PB2Value v;
};

// A parameter holds `value` at all times until it has keys; then the value
// at t is that of the last key at or before t (the first key's before it).
struct ParamState {
    PB2Value value{};
    std::vector<Key> keys;
};

class ParamBlock2 final : public standin::Unimplemented<IParamBlock2> {
public:
    // A block to be loaded: the declaration comes with its data.
    ParamBlock2() = default;
    ParamBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner) : owner_(owner) { Attach(desc); }

    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    Class_ID ClassID() override { return kParamBlock2ClassID; }
    void GetClassName(MSTR& s, bool /*localized*/) const override { s = _M("ParamBlock2"); }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* copy = new ParamBlock2(desc_, nullptr);
        copy->params_ = params_;
        BaseClone(this, copy, remap);
        return copy;
    }

    // A copied or loaded block is taken by the first maker of its owner's
    // class that refers to it.
    void RefAdded(RefMakerHandle rm) override {
        if (!owner_ && desc_ && desc_->cd && rm->ClassID() == desc_->cd->ClassID() &&
            rm->SuperClassID() == desc_->cd->SuperClassID())
            owner_ = rm;
    }

    using Unimplemented::GetValue;
    using Unimplemented::LastNotifyParamID;
    using Unimplemented::RefDeleted;
    using Unimplemented::SetValue;

    // The owner that let go of its last reference to the block owns it no
    // more.
    void RefDeleted(ReferenceMaker* rm) override {
        if (rm == owner_ && !RefersTo(rm, this)) owner_ = nullptr;
    }

    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex) override {
        ++valueReads;
        const int i = Index(id, ValueKind::Float, tabIndex);
        if (i < 0) return FALSE;
        v = ValueAt(i, t, &ivalid).f;
        return TRUE;
    }

    BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex) override {
        ++valueReads;
        const int i = Index(id, ValueKind::Int, tabIndex);
        if (i < 0) return FALSE;
        v = ValueAt(i, t, &ivalid).i;
        return TRUE;
    }

    BOOL GetValue(ParamID id, TimeValue /*t*/, ReferenceTarget*& v, Interval& /*ivalid*/, int tabIndex) override {
        ++valueReads;
        const int i = Index(id, ValueKind::Reference, tabIndex);
        if (i < 0 || !owner_) return FALSE;
        v = owner_->GetReference(Def(i).ref_no);
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex) override {
        PB2Value value{};
        value.f = v;
        return Set(id, ValueKind::Float, t, value, tabIndex);
    }

    BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex) override {
        PB2Value value{};
        value.i = v;
        return Set(id, ValueKind::Int, t, value, tabIndex);
    }

    BOOL SetValue(ParamID id, TimeValue /*t*/, ReferenceTarget* v, int tabIndex) override {
        const int i = Index(id, ValueKind::Reference, tabIndex);
        if (i < 0 || !owner_ || owner_->ReplaceReference(Def(i).ref_no, v) != REF_SUCCEED) return FALSE;
        NotifyChanged(id);
        return TRUE;
    }

    int GetInt(ParamID id, TimeValue t, int tabIndex) override {
        const int i = Index(id, ValueKind::Int, tabIndex);
        return i < 0 ? 0 : ValueAt(i, t, nullptr).i;
    }

    float GetFloat(ParamID id, TimeValue t, int tabIndex) override {
        const int i = Index(id, ValueKind::Float, tabIndex);
        return i < 0 ? 0.0f : ValueAt(i, t, nullptr).f;
    }

    ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t, int tabIndex) override {
        ReferenceTarget* target = nullptr;
        Interval valid = FOREVER;
        return GetValue(id, t, target, valid, tabIndex) ? target : nullptr;
    }

    // Neither the rollout nor set handlers are touched here: the change
    // message reaches the owner, which refreshes what it shows.
    void ResetAll(BOOL /*updateUI*/, BOOL /*callSetHandlers*/) override {
        SetDefaults();
        NotifyChanged(-1);
    }

    ParamID LastNotifyParamID() override { return notifying_.empty() ? lastNotified_ : notifying_.back(); }

    IParamMap2* GetMap(MapID map_id) override {
        auto it = maps_.find(map_id);
        return it == maps_.end() ? nullptr : it->second;
    }

    void SetMap(IParamMap2* m, MapID map_id) override {
        if (m)
            maps_[map_id] = m;
        else
            maps_.erase(map_id);
    }

    BlockID ID() override { return desc_ ? desc_->ID : BlockID(-1); }
    ParamBlockDesc2* GetDesc() override { return desc_; }
    int NumParams() override { return desc_ ? desc_->Count() : 0; }
    ParamID IndextoID(int i) override { return desc_ ? desc_->IndextoID(i) : ParamID(-1); }
    int IDtoIndex(ParamID id) override { return desc_ ? desc_->IDtoIndex(id) : -1; }
    ParamDef& GetParamDef(ParamID id) override { return desc_->GetParamDef(id); }
    ReferenceMaker* GetOwner() override { return owner_; }

protected:
    RefResult NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle /*hTarget*/, PartID& /*partID*/,
                               RefMessage /*message*/, BOOL /*propagate*/) override {
        return REF_SUCCEED;
    }

private:
    void Attach(ParamBlockDesc2* desc) {
        desc_ = desc;
        params_.assign(desc ? static_cast<size_t>(desc->Count()) : 0, ParamState());
        SetDefaults();
    }

    void SetDefaults() {
        for (size_t i = 0; i < params_.size(); ++i) {
            params_[i].value = desc_->paramdefs[i].standinHasDefault ? desc_->paramdefs[i].def : PB2Value{};
            params_[i].keys.clear();
        }
    }

    const ParamDef& Def(int index) const { return desc_->paramdefs[index]; }

    // The parameter's index, or -1 for an unknown ID, a value of another
    // kind or a table entry other than 0 (no parameter here is a table).
    int Index(ParamID id, ValueKind kind, int tabIndex) const {
        const int i = desc_ && tabIndex == 0 ? desc_->IDtoIndex(id) : -1;
        return i >= 0 && KindOf(Def(i).type) == kind ? i : -1;
    }

    // The value at t; `valid`, when given, is narrowed to the span between
    // the keys around t.
    PB2Value ValueAt(int index, TimeValue t, Interval* valid) const {
        const ParamState& p = params_[static_cast<size_t>(index)];
        if (p.keys.empty()) return p.value;
        auto next =
            std::upper_bound(p.keys.begin(), p.keys.end(), t, [](TimeValue time, const Key& k) { return time < k.t; });
        if (next == p.keys.begin()) ++next;
        auto current = next - 1;
        if (valid) {
            const TimeValue start = current == p.keys.begin() ? TIME_NegInfinity : current->t;
            const TimeValue end = next == p.keys.end() ? TIME_PosInfinity : next->t - 1;
            *valid &= Interval(start, end);
        }
        return current->v;
    }

    // While animating, an animatable parameter gets a key at t (its first
    // key also keeps the previous value at time 0). Otherwise an existing
    // key at t changes, or else the parameter drops its keys and holds v
    // at all times.
    void Store(int index, TimeValue t, PB2Value v) {
        ParamState& p = params_[static_cast<size_t>(index)];
        auto at =
            std::lower_bound(p.keys.begin(), p.keys.end(), t, [](const Key& k, TimeValue time) { return k.t < time; });
        const bool keyAtT = at != p.keys.end() && at->t == t;
        if (keyAtT) {
            at->v = v;
        } else if (Animating() && (Def(index).flags & P_ANIMATABLE)) {
            if (p.keys.empty() && t != 0) {
                p.keys.push_back(Key{0, p.value});
                at = std::lower_bound(p.keys.begin(), p.keys.end(), t,
                                      [](const Key& k, TimeValue time) { return k.t < time; });
            }
            p.keys.insert(at, Key{t, v});
        } else {
            p.keys.clear();
            p.value = v;
        }
    }

    BOOL Set(ParamID id, ValueKind kind, TimeValue t, PB2Value v, int tabIndex) {
        const int i = Index(id, kind, tabIndex);
        if (i < 0) return FALSE;
        Store(i, t, v);
        NotifyChanged(id);
        return TRUE;
    }

    void NotifyChanged(ParamID id) {
        notifying_.push_back(id);
        NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
        notifying_.pop_back();
        lastNotified_ = id;
    }

    IOResult SaveIdentity(ISave* isave);
    IOResult SaveParam(ISave* isave, size_t index);
    IOResult LoadIdentity(ILoad* iload);
    IOResult LoadParam(ILoad* iload);

    ParamBlockDesc2* desc_ = nullptr;
    ReferenceMaker* owner_ = nullptr;
    std::vector<ParamState> params_;
    std::map<MapID, IParamMap2*> maps_;
    std::vector<ParamID> notifying_;
    ParamID lastNotified_ = -1;
};

IOResult WriteValue(ISave* isave, ValueKind kind, PB2Value v) {
    return kind == ValueKind::Float ? standin::WriteF32(isave, v.f) : standin::WriteI32(isave, v.i);
}

IOResult ReadValue(ILoad* iload, ValueKind kind, PB2Value& v) {
    if (kind == ValueKind::Float) return standin::ReadF32(iload, v.f);
    int32_t i = 0;
    const IOResult result = standin::ReadI32(iload, i);
    v.i = i;
    return result;
}

IOResult ParamBlock2::Save(ISave* isave) {
    if (!desc_ || !desc_->cd) return IO_ERROR;
    IOResult result = SaveIdentity(isave);
    for (size_t i = 0; i < params_.size() && result == IO_OK; ++i) {
        if (KindOf(desc_->paramdefs[i].type) != ValueKind::Reference) result = SaveParam(isave, i);
    }
    return result;
}

// The owner's class and the block ID: enough to find the declaration again.
IOResult ParamBlock2::SaveIdentity(ISave* isave) {
    isave->BeginChunk(kIdentityChunk);
    const Class_ID cid = desc_->cd->ClassID();
    IOResult result = standin::WriteU32(isave, static_cast<uint32_t>(desc_->cd->SuperClassID()));
    if (result == IO_OK) result = standin::WriteU32(isave, static_cast<uint32_t>(cid.PartA()));
    if (result == IO_OK) result = standin::WriteU32(isave, static_cast<uint32_t>(cid.PartB()));
    if (result == IO_OK) result = standin::WriteU16(isave, static_cast<uint16_t>(desc_->ID));
    isave->EndChunk();
    return result;
}

// ID, key count, then the value (no keys) or each key's time and value.
IOResult ParamBlock2::SaveParam(ISave* isave, size_t index) {
    const ParamState& p = params_[index];
    const ValueKind kind = KindOf(desc_->paramdefs[index].type);
    isave->BeginChunk(kParamChunk);
    IOResult result = standin::WriteU16(isave, static_cast<uint16_t>(desc_->paramdefs[index].ID));
    if (result == IO_OK) result = standin::WriteU32(isave, static_cast<uint32_t>(p.keys.size()));
    if (result == IO_OK && p.keys.empty()) result = WriteValue(isave, kind, p.value);
    for (size_t k = 0; k < p.keys.size() && result == IO_OK; ++k) {
        result = standin::WriteI32(isave, p.keys[k].t);
        if (result == IO_OK) result = WriteValue(isave, kind, p.keys[k].v);
    }
    isave->EndChunk();
    return result;
}

IOResult ParamBlock2::Load(ILoad* iload) {
    IOResult result = IO_OK;
    while (result == IO_OK && (result = iload->OpenChunk()) == IO_OK) {
        switch (iload->CurChunkID()) {
            case kIdentityChunk:
                result = desc_ ? IO_ERROR : LoadIdentity(iload);
                break;
            case kParamChunk:
                result = desc_ ? LoadParam(iload) : IO_ERROR;
                break;
            default:
                break;
        }
        if (iload->CloseChunk() != IO_OK) result = IO_ERROR;
    }
    return result == IO_END && desc_ ? IO_OK : IO_ERROR;
}

IOResult ParamBlock2::LoadIdentity(ILoad* iload) {
    uint32_t sclass = 0, partA = 0, partB = 0;
    uint16_t blockID = 0;
    if (standin::ReadU32(iload, sclass) != IO_OK || standin::ReadU32(iload, partA) != IO_OK ||
        standin::ReadU32(iload, partB) != IO_OK || standin::ReadU16(iload, blockID) != IO_OK)
        return IO_ERROR;
    auto* cd = dynamic_cast<ClassDesc2*>(standin::ClassDirectory::Instance().Find(sclass, Class_ID(partA, partB)));
    ParamBlockDesc2* desc = cd ? cd->GetParamBlockDescByID(static_cast<BlockID>(blockID)) : nullptr;
    if (!desc) return IO_ERROR;
    Attach(desc);
    return IO_OK;
}

// A parameter the declaration no longer has is skipped; keys must come in
// strictly increasing time.
IOResult ParamBlock2::LoadParam(ILoad* iload) {
    uint16_t id = 0;
    uint32_t keyCount = 0;
    if (standin::ReadU16(iload, id) != IO_OK || standin::ReadU32(iload, keyCount) != IO_OK) return IO_ERROR;
    const int index = desc_->IDtoIndex(static_cast<ParamID>(id));
    if (index < 0 || KindOf(Def(index).type) == ValueKind::Reference) return IO_OK;
    const ValueKind kind = KindOf(Def(index).type);
    ParamState loaded;
    if (keyCount == 0 && ReadValue(iload, kind, loaded.value) != IO_OK) return IO_ERROR;
    for (uint32_t k = 0; k < keyCount; ++k) {
        Key key{};
        int32_t t = 0;
        if (standin::ReadI32(iload, t) != IO_OK || ReadValue(iload, kind, key.v) != IO_OK) return IO_ERROR;
        key.t = t;
        if (!loaded.keys.empty() && loaded.keys.back().t >= key.t) return IO_ERROR;
        loaded.keys.push_back(key);
    }
    if (!loaded.keys.empty()) loaded.value = loaded.keys.front().v;
    params_[static_cast<size_t>(index)] = loaded;
    return IO_OK;
}

class ParamBlock2ClassDescImpl final : public ClassDesc {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL /*loading*/) override { return static_cast<Animatable*>(new ParamBlock2()); }
    const MCHAR* ClassName() override { return _M("ParamBlock2"); }
    const MCHAR* NonLocalizedClassName() override { return _M("ParamBlock2"); }
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    Class_ID ClassID() override { return kParamBlock2ClassID; }
    const MCHAR* Category() override { return _M(""); }
};

}  // namespace

IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* pdesc, ReferenceMaker* iowner) {
    return new ParamBlock2(pdesc, iowner);
}

namespace standin {

long ParamBlockValueReads() { return valueReads.load(); }

ClassDesc* ParamBlock2ClassDesc() {
    static ParamBlock2ClassDescImpl desc;
    return &desc;
}

}  // namespace standin
