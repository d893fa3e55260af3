#include "AurivelParams.h"

#include "plugin/Plugin.h"
#include "presets/preset_table.h"
#include "resource.h"

namespace {

// The declared defaults of the optical constants are the Copper row, so a new
// block agrees with its default preset.
constexpr int kDefaultPreset = 6;
constexpr const aurivel::OpticalConstants& kCopper = aurivel::kPresetRows[kDefaultPreset - 1];

}  // namespace

// Constructing this declaration asks for the class descriptor first, which is
// therefore made before it and destroyed after it.
ParamBlockDesc2 aurivelParamBlockDesc(
    aurivel_params, _T("params"), 0, GetAurivelDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI,
    // reference number of the block in its owner
    0,
    // rollout
    IDD_PANEL, IDS_PARAMS, 0, 0, nullptr,

    pb_preset, _T("preset"), TYPE_INT, P_ANIMATABLE + P_RESET_DEFAULT, IDS_PRESETS, p_ui, TYPE_INT_COMBOBOX, IDC_PRESET,
    11, IDS_CUSTOM, IDS_SILVER, IDS_ALUMINIUM, IDS_GOLD, IDS_COBALT, IDS_CHROMIUM, IDS_COPPER, IDS_IRON, IDS_NICKEL,
    IDS_PLATINUM, IDS_TITANIUM, p_vals, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, p_default, kDefaultPreset, p_end, pb_nr,
    _T("nrvalue"), TYPE_FLOAT, P_ANIMATABLE, IDS_NR, p_default, kCopper.nr, p_range, 0.0f, 100.0f, p_ui, TYPE_SPINNER,
    EDITTYPE_FLOAT, IDC_NR_EDIT, IDC_NR_SPIN, 0.001f, p_end, pb_ng, _T("ngvalue"), TYPE_FLOAT, P_ANIMATABLE, IDS_NG,
    p_default, kCopper.ng, p_range, 0.0f, 100.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_NG_EDIT, IDC_NG_SPIN, 0.001f,
    p_end, pb_nb, _T("nbvalue"), TYPE_FLOAT, P_ANIMATABLE, IDS_NB, p_default, kCopper.nb, p_range, 0.0f, 100.0f, p_ui,
    TYPE_SPINNER, EDITTYPE_FLOAT, IDC_NB_EDIT, IDC_NB_SPIN, 0.001f, p_end, pb_kr, _T("krvalue"), TYPE_FLOAT,
    P_ANIMATABLE, IDS_KR, p_default, kCopper.kr, p_range, 0.0f, 100.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_KR_EDIT,
    IDC_KR_SPIN, 0.001f, p_end, pb_kg, _T("kgvalue"), TYPE_FLOAT, P_ANIMATABLE, IDS_KG, p_default, kCopper.kg, p_range,
    0.0f, 100.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_KG_EDIT, IDC_KG_SPIN, 0.001f, p_end, pb_kb, _T("kbvalue"),
    TYPE_FLOAT, P_ANIMATABLE, IDS_KB, p_default, kCopper.kb, p_range, 0.0f, 100.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT,
    IDC_KB_EDIT, IDC_KB_SPIN, 0.001f, p_end, pb_gamma, _T("gamma"), TYPE_FLOAT, P_ANIMATABLE, IDS_GAMMA, p_default,
    1.0f, p_range, 0.05f, 20.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, 0.01f, p_end,
    pb_hue, _T("hue"), TYPE_FLOAT, P_ANIMATABLE, IDS_HUE, p_default, 0.0f, p_range, -180.0f, 180.0f, p_ui, TYPE_SPINNER,
    EDITTYPE_FLOAT, IDC_HUE_EDIT, IDC_HUE_SPIN, 0.1f, p_end, pb_sat, _T("sat"), TYPE_FLOAT, P_ANIMATABLE,
    IDS_SATURATION, p_default, 0.0f, p_range, -100.0f, 100.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_SAT_EDIT,
    IDC_SAT_SPIN, 0.1f, p_end, pb_output, _T("output"), TYPE_REFTARG, P_OWNERS_REF, IDS_OUTPUT, p_refno, 1, p_end,
    p_end);
