// The host's default texture output: one output amount that scales the
// colour channels. At its default of 1 it passes values through untouched.
#include "standin/unimplemented.h"
#include "builtin_classes.h"
#include "imtl.h"
#include "le_io.h"
#include "standin/texout_dialog.h"
#include "stdmat.h"

namespace {

constexpr USHORT kHeaderChunk = 0x4000;
constexpr USHORT kOutputAmountChunk = 0x0100;

const Class_ID kDefaultTextureOutputClassID(0x2d1f0c3a, 0x61b84e07);

class DefaultTextureOutput final : public standin::Unimplemented<TextureOutput> {
public:
    Class_ID ClassID() override { return kDefaultTextureOutputClassID; }
    void GetClassName(MSTR& s, bool /*localized*/) const override { s = _M("Output"); }

    // Scaled in place: g++ then multiplies the two channels that arrive
    // together in one register without taking them apart.
    AColor Filter(AColor c) override {
        c.r = Scale(c.r);
        c.g = Scale(c.g);
        c.b = Scale(c.b);
        return c;
    }
    float Filter(float f) override { return Scale(f); }
    Point3 Filter(Point3 p) override { return Point3(Scale(p.x), Scale(p.y), Scale(p.z)); }

    float GetOutputLevel(TimeValue /*t*/) override { return amount_; }
    void SetOutputLevel(TimeValue /*t*/, float v) override {
        amount_ = v;
        NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    }

    // Nothing here is animated, so the caller's interval stays as it is.
    void Update(TimeValue /*t*/, Interval& /*valid*/) override {}
    void Reset() override { SetOutputLevel(0, 1.0f); }
    Interval Validity(TimeValue /*t*/) override { return FOREVER; }

    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override {
        return standin::CreateTextureOutputDlg(this, hwMtlEdit, imp);
    }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* copy = new DefaultTextureOutput;
        *static_cast<MtlBase*>(copy) = *this;
        copy->amount_ = amount_;
        BaseClone(this, copy, remap);
        return copy;
    }

    IOResult Save(ISave* isave) override {
        isave->BeginChunk(kHeaderChunk);
        IOResult result = MtlBase::Save(isave);
        isave->EndChunk();
        if (result != IO_OK) return result;
        isave->BeginChunk(kOutputAmountChunk);
        result = standin::WriteF32(isave, amount_);
        isave->EndChunk();
        return result;
    }

    IOResult Load(ILoad* iload) override {
        IOResult result;
        while ((result = iload->OpenChunk()) == IO_OK) {
            if (iload->CurChunkID() == kHeaderChunk)
                result = MtlBase::Load(iload);
            else if (iload->CurChunkID() == kOutputAmountChunk)
                result = standin::ReadF32(iload, amount_);
            if (iload->CloseChunk() != IO_OK || result != IO_OK) return IO_ERROR;
        }
        return result == IO_END ? IO_OK : IO_ERROR;
    }

protected:
    RefResult NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle /*hTarget*/, PartID& /*partID*/,
                               RefMessage /*message*/, BOOL /*propagate*/) override {
        return REF_SUCCEED;
    }

private:
    // Multiplying by 1 returns every value bit for bit, quiet NaNs with
    // their payload included; only a signalling NaN would come back
    // quietened, and no colour computation yields one.
    float Scale(float v) const { return v * amount_; }

    float amount_ = 1.0f;
};

class TextureOutputClassDescImpl final : public ClassDesc {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL /*loading*/) override { return static_cast<Animatable*>(new DefaultTextureOutput); }
    const MCHAR* ClassName() override { return _M("Output"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Output"); }
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }
    Class_ID ClassID() override { return kDefaultTextureOutputClassID; }
    const MCHAR* Category() override { return _M(""); }
};

}  // namespace

TextureOutput* GetNewDefaultTextureOutput() { return new DefaultTextureOutput; }

namespace standin {

ClassDesc* DefaultTextureOutputClassDesc() {
    static TextureOutputClassDescImpl desc;
    return &desc;
}

}  // namespace standin
