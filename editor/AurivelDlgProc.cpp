#include "editor/AurivelDlgProc.h"

#include "presets/PresetRules.h"
#include "resource.h"

const wchar_t* const kHomePageAddress = L"https://aurivel.dev/";
const wchar_t* const kDataSiteAddress = L"https://refractiveindex.info/";

namespace {

// Opens with the address's default handler; a missing handler is no error.
void OpenAddress(const wchar_t* address) { ShellExecuteW(nullptr, nullptr, address, nullptr, nullptr, SW_SHOW); }

}  // namespace

INT_PTR AurivelDlgProc::DlgProc(TimeValue /*t*/, IParamMap2* rollout, HWND /*hWnd*/, UINT msg, WPARAM wParam,
                                LPARAM /*lParam*/) {
    if (msg != WM_COMMAND) return 0;
    switch (LOWORD(wParam)) {
        case IDC_PRESET:
            aurivel::UpdateConstantControls(rollout->GetParamBlock());
            break;
        case IDC_HOMEPAGE:
            OpenAddress(kHomePageAddress);
            break;
        case IDC_DATA_SITE:
            OpenAddress(kDataSiteAddress);
            break;
        default:
            break;
    }
    return 0;
}

void AurivelDlgProc::DeleteThis() { delete this; }

void AurivelDlgProc::SetThing(ReferenceTarget* m) { aurivel::UpdateConstantControls(m->GetParamBlock(0)); }
