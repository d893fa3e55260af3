// The rollout's user dialog procedure: the two link buttons and the locking of
// the n/k controls when the preset combo box changes. It serves whichever map
// its rollout shows, and keeps nothing of its own.
#pragma once

#include "max.h"
#include "iparamm2.h"

class AurivelDlgProc : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DeleteThis() override;
    void SetThing(ReferenceTarget* m) override;
};

// The two addresses opened from the rollout.
extern const wchar_t* const kHomePageAddress;
extern const wchar_t* const kDataSiteAddress;
