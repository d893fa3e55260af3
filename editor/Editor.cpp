// Opening the map's editor, and handing the output rollout between maps.
#include "editor/AurivelDlgProc.h"
#include "plugin/HostHeap.h"
#include "plugin/Plugin.h"
#include "map/Aurivel.h"
#include "map/AurivelParams.h"
#include "plugin/AurivelClassDesc.h"

ParamDlg* texoutDlg = nullptr;

ParamDlg* Aurivel::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    IAutoMParamDlg* master = GetAurivelDesc()->CreateParamDlgs(hwMtlEdit, imp, this);
    if (!master) return nullptr;
    // The page exists now; a procedure that cannot be allocated leaves the
    // rollout without one.
    aurivelParamBlockDesc.SetUserDlgProc(0, NewOnHostHeap<AurivelDlgProc>(this));
    texoutDlg = texout ? texout->CreateParamDlg(hwMtlEdit, imp) : nullptr;
    if (texoutDlg) master->AddDlg(texoutDlg);
    UpdateIORControls();
    return master;
}

BOOL Aurivel::SetDlgThing(ParamDlg* dlg) {
    if (!texoutDlg || dlg != texoutDlg) return FALSE;
    texoutDlg->SetThing(texout);
    return TRUE;
}

bool AurivelClassDesc::SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc) {
    return ClassDesc2::SetUserDlgProc(pbd, 0, proc);
}
