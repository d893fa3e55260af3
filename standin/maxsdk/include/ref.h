// The host's reference system. A maker holds targets in numbered slots; a
// target knows every maker that refers to it (once per slot), tells them of
// its changes, and is deleted when its last reference goes.
#pragma once

#include <vector>

#include "animtbl.h"
#include "coreexp.h"
#include "interval.h"
#include "ioapi.h"
#include "maxtypes.h"

class ReferenceMaker;
class ReferenceTarget;
class RemapDir;
typedef ReferenceTarget* RefTargetHandle;
typedef ReferenceMaker* RefMakerHandle;

#define REFMSG_CHANGE 0x00000050
#define PART_ALL ((PartID)0x800037ff)
#define NOTIFY_ALL 0xfffffff0

// Options of a change notification; the stand-in knows none but the default.
enum NotifyDependentsOption : int {};
// Which channels of an object a save or load covers.
typedef ULONG ChannelMask;

class ReferenceMaker : public Animatable {
protected:
    // Releases every target it still holds, deleting those that nobody
    // refers to any more. No virtual call happens here: the derived part
    // is gone by now.
    CoreExport ~ReferenceMaker() override = 0;

public:
    CoreExport ReferenceMaker();

    CoreExport SClass_ID SuperClassID() override;

    // A maker is no target: nothing refers to it.
    virtual RefResult DeleteAllRefsToMe() { return REF_SUCCEED; }
    STANDIN_SLOTS_ReferenceMaker_1
    CoreExport virtual int NumRefs();
    CoreExport virtual RefTargetHandle GetReference(int i);

protected:
    CoreExport virtual void SetReference(int i, RefTargetHandle rtarg);

public:
    CoreExport virtual IOResult Save(ISave* isave);
    STANDIN_SLOTS_ReferenceMaker_5
    CoreExport virtual IOResult Load(ILoad* iload);
    STANDIN_SLOTS_ReferenceMaker_6
    // Tells the makers that refer to this object of a change: a maker that
    // is no target has none.
    CoreExport virtual RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                                  SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                                                  RefTargetHandle hTarg = nullptr,
                                                  NotifyDependentsOption option = NotifyDependentsOption());
    STANDIN_SLOTS_ReferenceMaker_7

    // Makes newtarg reference `which` (through SetReference). The previous
    // target loses this reference and, with delOld, is deleted when nothing
    // else refers to it. Fails for a slot outside NumRefs() and for a target
    // that already depends on this maker (a reference loop).
    CoreExport RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    CoreExport RefResult DeleteReference(int i);
    CoreExport RefResult DeleteAllRefsFromMe();
    // Drops the references to and from this object, then deletes it.
    CoreExport void DeleteMe();

protected:
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                                       RefMessage message, BOOL propagate) = 0;

private:
    friend class ReferenceTarget;

    RefTargetHandle HeldAt(int slot) const;
    void Hold(int slot, RefTargetHandle target);
    void Release(RefTargetHandle target, bool deleteIfOrphaned);
    void DropReferencesTo(RefTargetHandle target);
    bool DependsOn(const ReferenceMaker* other) const;

    // The targets it holds, slot by slot.
    class ReferenceMakerImplData;
    MaxSDK::Util::AutoPtr<ReferenceMakerImplData> mImplData;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_ReferenceMaker
};

class ReferenceTarget : public ReferenceMaker {
protected:
    // Every maker that still refers to this target has its slot cleared
    // through its own SetReference.
    CoreExport ~ReferenceTarget() override = 0;

public:
    CoreExport ReferenceTarget();

    CoreExport void GetClassName(MSTR& s, bool localized = true) const override;
    CoreExport SClass_ID SuperClassID() override;

    STANDIN_SLOTS_ReferenceTarget_0
    // Called after a maker made this target one of its references, and
    // after the maker `rm` let go of one reference to it.
    virtual void RefAdded(RefMakerHandle /*rm*/) {}
    STANDIN_SLOTS_ReferenceTarget_1
    virtual void RefDeleted(ReferenceMaker* /*rm*/) {}
    STANDIN_SLOTS_ReferenceTarget_2

    CoreExport virtual RefTargetHandle Clone(RemapDir& remap);
    CoreExport virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);
    STANDIN_SLOTS_ReferenceTarget_4

    CoreExport RefResult DeleteAllRefsToMe() override;
    // Calls NotifyRefChanged of every maker that refers to this target (once
    // per maker), or only of those of super class `sclass`. hTarg, when
    // given, stands as the sender. The message is not passed further on to
    // the makers' own dependents.
    CoreExport RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                          SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                                          RefTargetHandle hTarg = nullptr,
                                          NotifyDependentsOption option = NotifyDependentsOption()) override;

private:
    friend class ReferenceMaker;

    // The makers that refer to it, once per slot.
    class RefList;
    RefList* mRefs = nullptr;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_ReferenceTarget
};

// Maps originals to their copies during one copy operation, so that an
// object shared by several makers is copied once. The host implements it.
class RemapDir : public MaxHeapOperators {
public:
    virtual RefTargetHandle FindMapping(RefTargetHandle from) = 0;
    // The copy of oldTarg that belongs to this operation, made on first use.
    virtual RefTargetHandle CloneRef(RefTargetHandle oldTarg) {
        if (!oldTarg) return nullptr;
        if (RefTargetHandle copy = FindMapping(oldTarg)) return copy;
        RefTargetHandle copy = oldTarg->Clone(*this);
        if (copy) AddEntry(oldTarg, copy);
        return copy;
    }
    STANDIN_SLOTS_RemapDir_2
    virtual void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) = 0;
    STANDIN_SLOTS_RemapDir_3
    virtual ~RemapDir() {}
};
