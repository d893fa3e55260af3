// Small host-side classes for the stand-in's tests: a plain reference target
// with three slots, and a texture map that owns a parameter block.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "max.h"

namespace fixture {

// A reference target with three slots that records what it is told.
class Node : public ReferenceTarget {
public:
    static constexpr int kSlots = 3;

    explicit Node(int label = 0);
    ~Node() override;

    static bool IsAlive(const Node* node);
    static int Alive();

    Class_ID ClassID() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    int NumRefs() override { return kSlots; }
    RefTargetHandle GetReference(int i) override { return refs[i]; }
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    int label;
    RefTargetHandle refs[kSlots] = {};
    bool failSave = false;
    int notifications = 0;
    RefMessage lastMessage = 0;
    RefTargetHandle lastSender = nullptr;
    std::function<void()> onNotify;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override { refs[i] = rtarg; }
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID, RefMessage message,
                               BOOL propagate) override;

private:
    static std::set<const Node*>& Live();
};

enum { tm_params };
enum { tm_gain, tm_mode, tm_flag, tm_output = 5 };

// A map in the shape the host expects: block as reference 0, texture output
// as reference 1 (also the block's "output"), one sub-map as reference 2.
class TestMap : public Texmap {
public:
    TestMap();
    ~TestMap() override;
    static int Alive();

    Class_ID ClassID() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int /*i*/) override { return pblock; }
    IParamBlock2* GetParamBlockByID(BlockID id) override;
    int NumRefs() override { return 3; }
    RefTargetHandle GetReference(int i) override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    void Update(TimeValue /*t*/, Interval& /*valid*/) override {}
    void Reset() override;
    Interval Validity(TimeValue /*t*/) override { return FOREVER; }
    ParamDlg* CreateParamDlg(HWND /*hwMtlEdit*/, IMtlParams* /*imp*/) override { return nullptr; }

    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int /*i*/) override { return sub; }
    void SetSubTexmap(int i, Texmap* m) override { ReplaceReference(i + 2, m); }
    MSTR GetSubTexmapSlotName(int /*i*/, bool /*localized*/) override { return slotName; }

    // The shading normal as a colour, through the output object.
    AColor EvalColor(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& /*sc*/) override { return Point3(); }

    IParamBlock2* pblock = nullptr;
    TextureOutput* texout = nullptr;
    Texmap* sub = nullptr;
    MSTR slotName;
    // LastNotifyParamID at every change message of the block, and again
    // after the nested write that a change of "mode" makes when asked to.
    std::vector<ParamID> seen;
    bool writeGainOnModeChange = false;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID, RefMessage message,
                               BOOL propagate) override;
};

ClassDesc2* GetTestMapDesc();
ParamBlockDesc2& TestMapParams();
ClassDesc* GetNodeDesc();

// Makes both classes known to the host's class directory (once).
void RegisterTestClasses();

}  // namespace fixture
