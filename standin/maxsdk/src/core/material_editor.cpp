#include "standin/material_editor.h"

#include <algorithm>
#include <cwchar>

#include "dialog_template_builder.h"
#include "iparamm2.h"

namespace standin {
namespace {

INT_PTR CALLBACK PanelProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

// The editor's own window, which holds the rollout pages as its children.
HWND CreatePanel() {
    const DialogTemplateBuilder panel(WS_POPUP | WS_CAPTION, 217, 400);
    return CreateDialogIndirectParamW(nullptr, panel.Get(), nullptr, PanelProc, 0);
}

}  // namespace

MaterialEditor::MaterialEditor(TimeValue time) : panel(CreatePanel()), time(time) {}

MaterialEditor::~MaterialEditor() {
    Close();
    DestroyWindow(panel);
}

ParamDlg* MaterialEditor::Open(MtlBase* mtl) {
    Close();
    dialog = mtl->CreateParamDlg(panel, this);
    return dialog;
}

void MaterialEditor::Show(MtlBase* mtl) {
    if (dialog) dialog->SetThing(mtl);
}

void MaterialEditor::Close() {
    if (dialog) dialog->DeleteThis();
    dialog = nullptr;
}

HWND MaterialEditor::Page(const std::wstring& title) const {
    for (const Rollup& rollup : rollups) {
        if (rollup.title == title) return rollup.page;
    }
    return nullptr;
}

void MaterialEditor::SetTime(TimeValue t) {
    time = t;
    if (dialog) dialog->SetTime(t);
}

void MaterialEditor::ChooseComboItem(HWND page, int comboId, int item) {
    const HWND combo = GetDlgItem(page, comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void MaterialEditor::EnterSpinnerValue(HWND page, int editId, int spinnerId, float value) {
    WCHAR text[64];
    std::swprintf(text, 64, L"%.9g", static_cast<double>(value));
    SetWindowTextW(GetDlgItem(page, editId), text);
    SendMessageW(page, CC_SPINNER_CHANGE, MAKEWPARAM(spinnerId, 0), 0);
}

void MaterialEditor::PressButton(HWND page, int buttonId, WORD notifyCode) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(buttonId, notifyCode),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, buttonId)));
}

HWND MaterialEditor::AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                                   LPARAM param, DWORD /*flags*/, int /*category*/) {
    return AddPage(CreateDialogParamW(hInst, dlgTemplate, panel, dlgProc, param), title);
}

HWND MaterialEditor::AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                                   LPARAM param, DWORD /*flags*/, int /*category*/) {
    return AddPage(CreateDialogIndirectParamW(hInst, dlgTemplate, panel, dlgProc, param), title);
}

HWND MaterialEditor::AddPage(HWND page, const MCHAR* title) {
    if (page) rollups.push_back({page, title ? title : L""});
    return page;
}

void MaterialEditor::DeleteRollupPage(HWND hRollup) {
    rollups.erase(
        std::remove_if(rollups.begin(), rollups.end(), [hRollup](const Rollup& r) { return r.page == hRollup; }),
        rollups.end());
    DestroyWindow(hRollup);
}

TimeValue MaterialEditor::GetTime() { return time; }

}  // namespace standin
