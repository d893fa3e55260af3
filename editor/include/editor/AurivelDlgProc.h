// The rollout's user dialog procedure: the two link buttons and the locking of
// the n/k controls when the preset combo box changes.
#pragma once

#include "max.h"
#include "iparamm2.h"

class Aurivel;

class AurivelDlgProc : public ParamMap2UserDlgProc {
public:
    explicit AurivelDlgProc(Aurivel* map);

    INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DeleteThis() override;
    void SetThing(ReferenceTarget* m) override;

private:
    Aurivel* editedMap;
};

// The output object's dialog made by the latest CreateParamDlg of any map.
extern ParamDlg* texoutDlg;

// The two addresses opened from the rollout.
extern const wchar_t* const kHomePageAddress;
extern const wchar_t* const kDataSiteAddress;
