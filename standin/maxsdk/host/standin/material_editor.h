// The host's material editor, reduced to one editor panel: it opens an
// object's parameter dialog, keeps the rollout pages that the dialog adds, and
// delivers a user's actions to the pages as the dialog manager does.
#pragma once

#include <string>
#include <vector>

#include "standin/unimplemented.h"
#include "imtl.h"

namespace standin {

class CoreExport MaterialEditor final : public standin::Unimplemented<IMtlParams> {
public:
    struct Rollup {
        HWND page;
        std::wstring title;
    };

    explicit MaterialEditor(TimeValue time = 0);
    ~MaterialEditor() override;
    MaterialEditor(const MaterialEditor&) = delete;
    MaterialEditor& operator=(const MaterialEditor&) = delete;

    // Opens the editor on `mtl` (its CreateParamDlg), closing what was open.
    ParamDlg* Open(MtlBase* mtl);
    // Shows another object of the same class in the open dialog.
    void Show(MtlBase* mtl);
    // Ends the dialog and its pages.
    void Close();

    HWND Panel() const { return panel; }
    ParamDlg* Dialog() const { return dialog; }
    const std::vector<Rollup>& Rollups() const { return rollups; }
    HWND Page(const std::wstring& title) const;
    void SetTime(TimeValue t);

    // A user's actions, delivered through the window messages they cause.
    static void ChooseComboItem(HWND page, int comboId, int item);
    static void EnterSpinnerValue(HWND page, int editId, int spinnerId, float value);
    static void PressButton(HWND page, int buttonId, WORD notifyCode = BN_CLICKED);

    // IMtlParams
    using Unimplemented::AddRollupPage;
    using Unimplemented::DeleteRollupPage;
    HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title, LPARAM param = 0,
                       DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) override;
    HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title, LPARAM param = 0,
                       DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) override;
    void DeleteRollupPage(HWND hRollup) override;
    TimeValue GetTime() override;

private:
    HWND AddPage(HWND page, const MCHAR* title);

    HWND panel;
    ParamDlg* dialog = nullptr;
    TimeValue time;
    std::vector<Rollup> rollups;
};

}  // namespace standin
