// The map's editor in the host's material editor: the page built from the
// module's template, the locking of the n/k controls, the link buttons and
// the output rollout.
#include <string>
#include <vector>

#include "iparamm2.h"
#include "module_fixture/module_fixture.h"
#include "presets/preset_table.h"
#include "resource.h"
#include "rollout_page/rollout_page_table.h"
#include "standin/material_editor.h"
#include "utf/utf.h"
#include "win32shim_testing.h"

namespace aurivel_test {
namespace {

constexpr int kConstantControls[] = {IDC_NR_EDIT, IDC_NR_SPIN, IDC_NG_EDIT, IDC_NG_SPIN, IDC_NB_EDIT, IDC_NB_SPIN,
                                     IDC_KR_EDIT, IDC_KR_SPIN, IDC_KG_EDIT, IDC_KG_SPIN, IDC_KB_EDIT, IDC_KB_SPIN};
constexpr int kAlwaysEnabled[] = {IDC_PRESET,   IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, IDC_HUE_EDIT,
                                  IDC_HUE_SPIN, IDC_SAT_EDIT,   IDC_SAT_SPIN};

std::wstring Text(HWND window) {
    WCHAR buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::wstring ClassName(HWND window) {
    WCHAR buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

class Editor : public ::testing::Test {
protected:
    HWND Page() const { return editor.Page(L"Parameters"); }
    HWND Control(int id) const { return GetDlgItem(Page(), id); }

    // Every n/k control is enabled (true) or every one is greyed (false).
    void ExpectConstantsEditable(bool editable) const {
        for (int id : kConstantControls) EXPECT_EQ(IsWindowEnabled(Control(id)) != FALSE, editable) << "control " << id;
        for (int id : kAlwaysEnabled) EXPECT_TRUE(IsWindowEnabled(Control(id))) << "control " << id;
    }

    void Choose(int preset) const { standin::MaterialEditor::ChooseComboItem(Page(), IDC_PRESET, preset); }

    // The host closes an object's editor before the object ends: the editor
    // is declared last so that it goes first.
    MapHandle map;
    MapHandle other;
    standin::MaterialEditor editor;
};

TEST_F(Editor, PageHasTheTemplatesControls) {
    ASSERT_NE(editor.Open(map.get()), nullptr);
    ASSERT_NE(Page(), nullptr);
    std::vector<HWND> children;
    for (HWND child = GetWindow(Page(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(children.size(), std::size(rollout_page::kControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const rollout_page::Control& want = rollout_page::kControls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        EXPECT_EQ(GetDlgCtrlID(children[i]), want.id);
        EXPECT_EQ(ClassName(children[i]), want.className);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(children[i], GWL_STYLE)) & ~WS_DISABLED, want.style);
        if (want.caption && want.id == -1) {
            EXPECT_EQ(Text(children[i]), want.caption);
        }
        // A bar takes the size of its bitmap; other controls their template size.
        RECT size = {0, 0, want.cx, want.cy};
        MapDialogRect(Page(), &size);
        RECT actual = {};
        GetWindowRect(children[i], &actual);
        EXPECT_EQ(actual.right - actual.left, want.bitmap ? 65 : size.right);
        EXPECT_EQ(actual.bottom - actual.top, want.bitmap ? 4 : size.bottom);
    }
}

TEST_F(Editor, ComboListsTheElevenPresetsByValue) {
    editor.Open(map.get());
    const HWND combo = Control(IDC_PRESET);
    std::vector<std::wstring> names = {L"Custom"};
    for (const aurivel::Preset& preset : aurivel::kPresets) names.push_back(aurivel::utf::WideFromUtf8(preset.name));
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        WCHAR text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, names[i]);
        EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, i, 0), static_cast<LRESULT>(i));
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), kCopper) << "a new map is Copper";
}

TEST_F(Editor, BarsShowTheirBitmaps) {
    editor.Open(map.get());
    for (int id : {IDC_BAR_R, IDC_BAR_G, IDC_BAR_B}) {
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(Control(id), STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info = {};
        ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 65);
        EXPECT_EQ(info.bmHeight, 4);
    }
}

TEST_F(Editor, OutputRolloutFollowsThePage) {
    for (int round = 0; round < 2; ++round) {
        editor.Open(map.get());
        ASSERT_EQ(editor.Rollups().size(), 2u);
        EXPECT_EQ(editor.Rollups()[0].title, L"Parameters");
        EXPECT_EQ(editor.Rollups()[1].title, L"Output");
        auto* master = static_cast<IAutoMParamDlg*>(editor.Dialog());
        ASSERT_EQ(master->NumDlgs(), 1);
        EXPECT_EQ(master->GetDlg(0)->GetThing(), map->GetReference(1));
    }
}

TEST_F(Editor, MetalPresetGreysTheConstantsAtOnce) {
    editor.Open(map.get());
    ExpectConstantsEditable(false);
}

TEST_F(Editor, ComboChoiceLocksAndUnlocks) {
    editor.Open(map.get());
    Choose(kCustom);
    EXPECT_EQ(map.Block()->GetInt(pb_preset, 0), kCustom);
    ExpectConstantsEditable(true);
    Choose(kGold);
    ExpectConstantsEditable(false);
    EXPECT_EQ(map.Constants(), PublishedConstants(kGold));
    EXPECT_EQ(Text(Control(IDC_NR_EDIT)), L"0.11114") << "the redrawn field shows the new value";
}

// The procedure's own answer to a command from the preset box: whatever state
// the n/k controls were left in, it puts them back as the preset says. The
// commands carry no selection change, so the block is not written and only
// the procedure can restore the controls.
TEST_F(Editor, PresetCommandRestoresTheLockWhateverTheControlsShow) {
    const struct {
        int preset;
        bool editable;
    } cases[] = {{kCustom, true}, {kGold, false}};
    editor.Open(map.get());
    for (const auto& c : cases) {
        map.SetInt(pb_preset, c.preset);
        for (WORD code : {WORD{CBN_DROPDOWN}, WORD{0}, WORD{0x1234}}) {
            SCOPED_TRACE(::testing::Message() << "preset " << c.preset << ", notification " << code);
            for (int id : kConstantControls) EnableWindow(Control(id), c.editable ? FALSE : TRUE);
            SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_PRESET, code),
                         reinterpret_cast<LPARAM>(Control(IDC_PRESET)));
            ExpectConstantsEditable(c.editable);
        }
    }
}

TEST_F(Editor, PresetsSetByScriptWhileOpen) {
    editor.Open(map.get());
    const struct {
        int preset;
        bool editable;
    } cases[] = {{0, true}, {-1, true}, {11, false}, {-7, true}, {10, false}, {0, true}};
    for (const auto& c : cases) {
        map.SetInt(pb_preset, c.preset);
        SCOPED_TRACE(c.preset);
        ExpectConstantsEditable(c.editable);
    }
}

TEST_F(Editor, AnimatedPresetFollowsItsValueAtTimeZero) {
    map.SetInt(pb_preset, kCustom);
    AnimateOn();
    map.SetInt(pb_preset, 5, 9600);
    AnimateOff();
    editor.SetTime(9600);
    editor.Open(map.get());
    ExpectConstantsEditable(true);
}

TEST_F(Editor, PresetChangeRedrawsTheConstantsAndHueChangeOnlyHue) {
    editor.Open(map.get());
    std::vector<UINT> before;
    for (const auto& control : rollout_page::kControls)
        before.push_back(control.id == -1 ? 0 : Win32Shim_GetInvalidateCount(Control(control.id)));

    map.Set(pb_hue, 25.0f);
    for (size_t i = 0; i < std::size(rollout_page::kControls); ++i) {
        const int id = rollout_page::kControls[i].id;
        if (id == -1) continue;
        const bool hue = id == IDC_HUE_EDIT || id == IDC_HUE_SPIN;
        EXPECT_EQ(Win32Shim_GetInvalidateCount(Control(id)) > before[i], hue) << "control " << id;
    }
    EXPECT_EQ(Text(Control(IDC_HUE_EDIT)), L"25");

    const UINT nrBefore = Win32Shim_GetInvalidateCount(Control(IDC_NR_EDIT));
    map.SetInt(pb_preset, kGold);
    EXPECT_GT(Win32Shim_GetInvalidateCount(Control(IDC_NR_EDIT)), nrBefore);
    ExpectConstantsEditable(false);
}

TEST_F(Editor, SpinnerEditsReachTheBlockWithinTheRange) {
    editor.Open(map.get());
    standin::MaterialEditor::EnterSpinnerValue(Page(), IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, 2.5f);
    EXPECT_EQ(map.Float(pb_gamma), 2.5f);
    standin::MaterialEditor::EnterSpinnerValue(Page(), IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, 50.0f);
    EXPECT_EQ(map.Float(pb_gamma), 20.0f);
    standin::MaterialEditor::EnterSpinnerValue(Page(), IDC_HUE_EDIT, IDC_HUE_SPIN, -500.0f);
    EXPECT_EQ(map.Float(pb_hue), -180.0f);
}

// With a second editor open the whole time (the host has two), each editor
// hands its own output rollout to the maps that it shows.
TEST_F(Editor, ShowingAnotherMapMovesTheControlsAndTheOutputRollout) {
    const MapHandle& metal = map;
    const MapHandle& custom = other;
    custom.SetInt(pb_preset, kCustom);
    editor.Open(metal.get());
    MapHandle secondsFirst, secondsOther;
    standin::MaterialEditor second;
    second.Open(secondsFirst.get());
    auto* master = static_cast<IAutoMParamDlg*>(editor.Dialog());
    auto* secondMaster = static_cast<IAutoMParamDlg*>(second.Dialog());
    for (int round = 0; round < 2; ++round) {
        editor.Show(custom.get());
        ExpectConstantsEditable(true);
        EXPECT_EQ(master->GetDlg(0)->GetThing(), custom->GetReference(kRefTexout));
        EXPECT_EQ(custom.Block()->GetMap(0), master->GetMap());
        EXPECT_EQ(metal.Block()->GetMap(0), nullptr);
        second.Show(secondsOther.get());
        EXPECT_EQ(secondMaster->GetDlg(0)->GetThing(), secondsOther->GetReference(kRefTexout));
        EXPECT_EQ(master->GetDlg(0)->GetThing(), custom->GetReference(kRefTexout));
        editor.Show(metal.get());
        ExpectConstantsEditable(false);
        EXPECT_EQ(master->GetDlg(0)->GetThing(), metal->GetReference(kRefTexout));
        second.Show(secondsFirst.get());
        EXPECT_EQ(secondMaster->GetDlg(0)->GetThing(), secondsFirst->GetReference(kRefTexout));
    }
    // The procedure now serves the metal map: a combo command locks by its preset.
    Choose(kCustom);
    EXPECT_EQ(metal.Block()->GetInt(pb_preset, 0), kCustom);
    EXPECT_EQ(custom.Block()->GetInt(pb_preset, 0), kCustom);
    ExpectConstantsEditable(true);
}

struct OpenedAddresses {
    std::vector<std::wstring> files;
    std::vector<INT> shows;
    bool withVerbOrParams = false;
};

void RecordShellExecute(LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show, void* context) {
    auto* opened = static_cast<OpenedAddresses*>(context);
    opened->files.push_back(file ? file : L"");
    opened->shows.push_back(show);
    opened->withVerbOrParams = opened->withVerbOrParams || verb || params || dir;
}

TEST_F(Editor, LinkButtonsOpenTheirAddressOnceWhateverTheNotification) {
    editor.Open(map.get());
    OpenedAddresses opened;
    Win32Shim_SetShellExecuteObserver(RecordShellExecute, &opened);
    for (WORD code : {WORD{BN_CLICKED}, WORD{1}, WORD{0x1234}}) {
        standin::MaterialEditor::PressButton(Page(), IDC_HOMEPAGE, code);
        standin::MaterialEditor::PressButton(Page(), IDC_DATA_SITE, code);
    }
    standin::MaterialEditor::PressButton(Page(), IDC_BAR_R);
    Win32Shim_SetShellExecuteObserver(nullptr, nullptr);

    ASSERT_EQ(opened.files.size(), 6u);
    for (size_t i = 0; i < 6; i += 2) {
        EXPECT_EQ(opened.files[i].rfind(L"https://", 0), 0u);
        EXPECT_EQ(opened.files[i + 1], L"https://refractiveindex.info/");
        EXPECT_NE(opened.files[i], opened.files[i + 1]);
    }
    for (INT show : opened.shows) EXPECT_EQ(show, SW_SHOW);
    EXPECT_FALSE(opened.withVerbOrParams);
}

TEST_F(Editor, ProcedureAnswersZeroToEveryMessage) {
    editor.Open(map.get());
    ParamMap2UserDlgProc* proc = map.Block()->GetMap(0)->GetUserDlgProc();
    ASSERT_NE(proc, nullptr);
    OpenedAddresses opened;
    Win32Shim_SetShellExecuteObserver(RecordShellExecute, &opened);
    IParamMap2* rollout = map.Block()->GetMap(0);
    const struct {
        UINT msg;
        WPARAM wParam;
    } messages[] = {{WM_INITDIALOG, 0},
                    {WM_DESTROY, 0},
                    {WM_COMMAND, MAKEWPARAM(IDC_PRESET, CBN_SELCHANGE)},
                    {WM_COMMAND, MAKEWPARAM(IDC_HOMEPAGE, BN_CLICKED)},
                    {WM_COMMAND, MAKEWPARAM(IDC_DATA_SITE, BN_CLICKED)},
                    {WM_COMMAND, MAKEWPARAM(IDC_GAMMA_EDIT, 0)},
                    {WM_USER + 5, MAKEWPARAM(IDC_HOMEPAGE, BN_CLICKED)}};
    for (const auto& m : messages) EXPECT_EQ(proc->DlgProc(0, rollout, Page(), m.msg, m.wParam, 0), 0) << m.msg;
    Win32Shim_SetShellExecuteObserver(nullptr, nullptr);
    EXPECT_EQ(opened.files.size(), 2u) << "only the two link commands open an address";
}

}  // namespace
}  // namespace aurivel_test
