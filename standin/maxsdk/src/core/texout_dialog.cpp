// The rollout of the host's default texture output: its output amount.
#include "standin/texout_dialog.h"

#include <cwchar>

#include "dialog_template_builder.h"

namespace standin {
namespace {

constexpr WORD kAmountEdit = 1000;

class TextureOutputDlg final : public ParamDlg {
public:
    TextureOutputDlg(TextureOutput* texout, IMtlParams* imp) : texout(texout), imp(imp) {
        DialogTemplateBuilder page(WS_CHILD | WS_VISIBLE, 217, 24);
        page.AddControl(0xFFFF, 0x0082, L"Output Amount:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 8, 8, 100, 8);
        page.AddControl(kAmountEdit, L"CustEdit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 113, 7, 35, 10);
        hwnd = imp->AddRollupPage(nullptr, const_cast<DLGTEMPLATE*>(page.Get()), PageProc, L"Output");
        ShowAmount();
    }

    Class_ID ClassID() override { return texout->ClassID(); }
    void SetThing(ReferenceTarget* m) override {
        texout = static_cast<TextureOutput*>(m);
        ShowAmount();
    }
    ReferenceTarget* GetThing() override { return texout; }
    void SetTime(TimeValue /*t*/) override { ShowAmount(); }
    void ReloadDialog() override { ShowAmount(); }
    void ActivateDlg(BOOL /*onOff*/) override {}
    void DeleteThis() override {
        if (hwnd) imp->DeleteRollupPage(hwnd);
        delete this;
    }

private:
    static INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

    void ShowAmount() {
        WCHAR text[32];
        std::swprintf(text, 32, L"%g", static_cast<double>(texout->GetOutputLevel(imp->GetTime())));
        SetWindowTextW(GetDlgItem(hwnd, kAmountEdit), text);
    }

    TextureOutput* texout;
    IMtlParams* imp;
    HWND hwnd = nullptr;
};

}  // namespace

ParamDlg* CreateTextureOutputDlg(TextureOutput* texout, HWND /*hwMtlEdit*/, IMtlParams* imp) {
    return new TextureOutputDlg(texout, imp);
}

}  // namespace standin
