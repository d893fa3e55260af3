// The class descriptor through which the host learns of the map class and
// creates maps.
#pragma once

#include "max.h"
#include "iparamb2.h"

class AurivelClassDesc : public ClassDesc2 {
public:
    int IsPublic() override;
    void* Create(BOOL loading = FALSE) override;
    const TCHAR* ClassName() override;
    const TCHAR* NonLocalizedClassName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const TCHAR* Category() override;
    const TCHAR* InternalName() override;
    HINSTANCE HInstance() override;

    // Installs `proc` on rollout 0 of `pbd`; for the host (the editor installs
    // its procedure through the block descriptor itself).
    bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) override;
};
