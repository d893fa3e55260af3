// The class descriptor through which the host learns of the map class and
// creates maps.
#include "max.h"
#include "iparamb2.h"
#include "map/Aurivel.h"
#include "plugin/HostHeap.h"
#include "plugin/Plugin.h"
#include "resource.h"

namespace {

class AurivelClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL /*loading*/ = FALSE) override { return NewOnHostHeap<Aurivel>(); }
    const TCHAR* ClassName() override { return GetString(IDS_CLASS_NAME); }
    const TCHAR* NonLocalizedClassName() override { return _T("Aurivel"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return AURIVEL_CLASS_ID; }
    const TCHAR* Category() override { return GetString(IDS_CATEGORY); }
    const TCHAR* InternalName() override { return _T("Aurivel"); }
    HINSTANCE HInstance() override { return hInstance; }

    // Installs `proc` on rollout 0 of `pbd`; for the host (the editor installs
    // its procedure through the block descriptor itself).
    bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) override {
        return ClassDesc2::SetUserDlgProc(pbd, 0, proc);
    }
};

}  // namespace

ClassDesc2* GetAurivelDesc() {
    // A function-local static: constructed once even when several threads ask
    // first, and destroyed at unload after everything constructed later.
    static AurivelClassDesc desc;
    return &desc;
}
