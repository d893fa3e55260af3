#include "editor/Editor.h"

#include "editor/AurivelDlgProc.h"
#include "iparamm2.h"
#include "map/AurivelParams.h"
#include "plugin/HostHeap.h"
#include "plugin/Plugin.h"
#include "presets/PresetRules.h"

namespace aurivel {

ParamDlg* OpenEditor(HWND hwMtlEdit, IMtlParams* imp, MtlBase* map, TextureOutput* texout) {
    IAutoMParamDlg* master = GetAurivelDesc()->CreateParamDlgs(hwMtlEdit, imp, map);
    if (!master) return nullptr;
    // The page exists now; a procedure that cannot be allocated leaves the
    // rollout without one.
    aurivelParamBlockDesc.SetUserDlgProc(0, NewOnHostHeap<AurivelDlgProc>());
    if (ParamDlg* output = texout ? texout->CreateParamDlg(hwMtlEdit, imp) : nullptr) master->AddDlg(output);
    UpdateConstantControls(map->GetParamBlock(0));
    return master;
}

BOOL ShowOutputIn(ParamDlg* dlg, TextureOutput* texout) {
    // The output's rollout is the only one that the dialog holds, and the
    // only one that edits an object of the output's class.
    if (!texout || dlg->ClassID() != texout->ClassID()) return FALSE;
    dlg->SetThing(texout);
    return TRUE;
}

}  // namespace aurivel
