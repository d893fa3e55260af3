#include "test_classes.h"

#include <cstdint>

#include "standin/class_directory.h"

namespace fixture {

namespace {

constexpr USHORT kLabelChunk = 0x0010;
constexpr USHORT kMapHeaderChunk = 0x4000;
int mapsAlive = 0;

class NodeClassDesc final : public ClassDesc {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL /*loading*/) override { return new Node; }
    const MCHAR* ClassName() override { return _M("Node"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Node"); }
    SClass_ID SuperClassID() override { return REF_TARGET_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e57, 1); }
    const MCHAR* Category() override { return _M(""); }
};

class TestMapClassDesc final : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL /*loading*/) override { return new TestMap; }
    const MCHAR* ClassName() override { return _M("TestMap"); }
    const MCHAR* NonLocalizedClassName() override { return _M("TestMap"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e57, 2); }
    const MCHAR* Category() override { return _M("Test"); }
};

}  // namespace

// Node -----------------------------------------------------------------------

std::set<const Node*>& Node::Live() {
    static std::set<const Node*> live;
    return live;
}

Node::Node(int label) : label(label) { Live().insert(this); }
Node::~Node() { Live().erase(this); }
bool Node::IsAlive(const Node* node) { return Live().count(node) != 0; }
int Node::Alive() { return static_cast<int>(Live().size()); }

Class_ID Node::ClassID() { return GetNodeDesc()->ClassID(); }
void Node::GetClassName(MSTR& s, bool /*localized*/) const { s = _M("Node"); }

RefTargetHandle Node::Clone(RemapDir& remap) {
    auto* copy = new Node(label);
    for (int i = 0; i < kSlots; ++i) copy->ReplaceReference(i, remap.CloneRef(refs[i]));
    BaseClone(this, copy, remap);
    return copy;
}

IOResult Node::Save(ISave* isave) {
    if (failSave) return IO_ERROR;
    isave->BeginChunk(kLabelChunk);
    ULONG written = 0;
    const int32_t value = label;
    const IOResult result = isave->Write(&value, sizeof value, &written);
    isave->EndChunk();
    return result;
}

IOResult Node::Load(ILoad* iload) {
    IOResult result;
    while ((result = iload->OpenChunk()) == IO_OK) {
        if (iload->CurChunkID() == kLabelChunk) {
            int32_t value = 0;
            ULONG read = 0;
            result = iload->Read(&value, sizeof value, &read);
            label = value;
        }
        iload->CloseChunk();
        if (result != IO_OK) return result;
    }
    return result == IO_END ? IO_OK : IO_ERROR;
}

RefResult Node::NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle hTarget, PartID& /*partID*/,
                                 RefMessage message, BOOL /*propagate*/) {
    ++notifications;
    lastMessage = message;
    lastSender = hTarget;
    if (onNotify) onNotify();
    return REF_SUCCEED;
}

// TestMap --------------------------------------------------------------------

TestMap::TestMap() {
    ++mapsAlive;
    GetTestMapDesc()->MakeAutoParamBlocks(this);
    Reset();
}

TestMap::~TestMap() { --mapsAlive; }
int TestMap::Alive() { return mapsAlive; }

Class_ID TestMap::ClassID() { return GetTestMapDesc()->ClassID(); }
void TestMap::GetClassName(MSTR& s, bool /*localized*/) const { s = _M("TestMap"); }

IParamBlock2* TestMap::GetParamBlockByID(BlockID id) { return pblock && pblock->ID() == id ? pblock : nullptr; }

RefTargetHandle TestMap::GetReference(int i) {
    switch (i) {
        case 0:
            return pblock;
        case 1:
            return texout;
        default:
            return sub;
    }
}

void TestMap::SetReference(int i, RefTargetHandle rtarg) {
    switch (i) {
        case 0:
            pblock = static_cast<IParamBlock2*>(rtarg);
            break;
        case 1:
            texout = static_cast<TextureOutput*>(rtarg);
            break;
        default:
            sub = static_cast<Texmap*>(rtarg);
            break;
    }
}

RefTargetHandle TestMap::Clone(RemapDir& remap) {
    auto* copy = new TestMap;
    *static_cast<MtlBase*>(copy) = *this;
    copy->ReplaceReference(1, remap.CloneRef(texout));
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    BaseClone(this, copy, remap);
    return copy;
}

IOResult TestMap::Save(ISave* isave) {
    isave->BeginChunk(kMapHeaderChunk);
    const IOResult result = MtlBase::Save(isave);
    isave->EndChunk();
    return result;
}

IOResult TestMap::Load(ILoad* iload) {
    IOResult result;
    while ((result = iload->OpenChunk()) == IO_OK) {
        result = iload->CurChunkID() == kMapHeaderChunk ? MtlBase::Load(iload) : IO_OK;
        iload->CloseChunk();
        if (result != IO_OK) return result;
    }
    return result == IO_END ? IO_OK : IO_ERROR;
}

void TestMap::Reset() {
    if (texout)
        texout->Reset();
    else
        ReplaceReference(1, GetNewDefaultTextureOutput());
    GetTestMapDesc()->Reset(this);
}

AColor TestMap::EvalColor(ShadeContext& sc) {
    const Point3 n = sc.Normal();
    return texout->Filter(AColor(n.x, n.y, n.z, 1.0f));
}

RefResult TestMap::NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle hTarget, PartID& /*partID*/,
                                    RefMessage message, BOOL /*propagate*/) {
    if (message != REFMSG_CHANGE || hTarget != pblock) return REF_SUCCEED;
    const ParamID id = pblock->LastNotifyParamID();
    seen.push_back(id);
    if (id == tm_mode && writeGainOnModeChange) {
        pblock->SetValue(tm_gain, 0, 2.5f);
        seen.push_back(pblock->LastNotifyParamID());
    }
    return REF_SUCCEED;
}

// Descriptors ----------------------------------------------------------------

ClassDesc2* GetTestMapDesc() {
    static TestMapClassDesc desc;
    return &desc;
}

ClassDesc* GetNodeDesc() {
    static NodeClassDesc desc;
    return &desc;
}

static ParamBlockDesc2 testMapParams(tm_params, _T("params"), 0, GetTestMapDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI,
                                     0,                       // owner's reference
                                     100, 11, 0, 0, nullptr,  // dialog, title, test and rollup flags, procedure
                                     tm_gain, _T("gain"), TYPE_FLOAT, P_ANIMATABLE, 12, p_default, 1.0f, p_range, 0.0f,
                                     10.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, 1001, 1002, 0.01f, p_end, tm_mode,
                                     _T("mode"), TYPE_INT, P_ANIMATABLE | P_RESET_DEFAULT, 13, p_ui, TYPE_INT_COMBOBOX,
                                     1003, 3, 21, 22, 23, p_vals, 0, 5, 9, p_default, 5, p_end, tm_flag, _T("flag"),
                                     TYPE_BOOL, 0, 14, p_default, TRUE, p_ui, TYPE_SINGLECHEKBOX, 1004, p_end,
                                     tm_output, _T("output"), TYPE_REFTARG, P_OWNERS_REF, 15, p_refno, 1, p_end, p_end);

ParamBlockDesc2& TestMapParams() { return testMapParams; }

void RegisterTestClasses() {
    standin::ClassDirectory::Instance().Add(GetNodeDesc());
    standin::ClassDirectory::Instance().Add(GetTestMapDesc());
}

}  // namespace fixture
