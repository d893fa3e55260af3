#include "map/AurivelParams.h"

#include <utility>

#include "plugin/Plugin.h"
#include "presets/parameter_names.h"
#include "presets/preset_table.h"
#include "resource.h"

namespace {

using aurivel::kDefaultPreset;

// The preset list: "Custom", then one item per row of the preset table, in
// table order. An item's value is its position, and its name the string that
// follows "Custom"'s by as much.
constexpr int kPresetItemCount = static_cast<int>(aurivel::kPresets.size()) + 1;
static_assert(IDS_TITANIUM - IDS_CUSTOM + 1 == kPresetItemCount, "one string for Custom and each preset row");

// The tag list as the host reads it. The preset list's names and values are
// expanded from the pack of item positions, which only a template can hold;
// each expands to an int, as the host reads them.
template <int... Item>
ParamBlockDesc2 DeclareParamBlock(std::integer_sequence<int, Item...>) {
    // clang-format off
    return ParamBlockDesc2(
        aurivel_params, _T("params"), 0, GetAurivelDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI,
        // P_AUTO_CONSTRUCT: the block's reference number in its owner.
        kRefParams,
        // P_AUTO_UI: rollout template, title, test flags, rollup flags, user procedure.
        IDD_PANEL, IDS_PARAMS, 0, 0, nullptr,

        pb_preset, aurivel::kPresetParameter.wide, TYPE_INT, P_ANIMATABLE + P_RESET_DEFAULT, IDS_PRESETS,
            p_ui, TYPE_INT_COMBOBOX, IDC_PRESET, kPresetItemCount, (IDS_CUSTOM + Item)...,
            p_vals, Item...,
            p_default, kDefaultPreset,
            p_end,

        pb_nr, aurivel::kNrParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_NR,
            p_default, kNrDeclaration.defaultValue,
            p_range, kNrDeclaration.low, kNrDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_NR_EDIT, IDC_NR_SPIN, 0.001f,
            p_end,

        pb_ng, aurivel::kNgParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_NG,
            p_default, kNgDeclaration.defaultValue,
            p_range, kNgDeclaration.low, kNgDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_NG_EDIT, IDC_NG_SPIN, 0.001f,
            p_end,

        pb_nb, aurivel::kNbParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_NB,
            p_default, kNbDeclaration.defaultValue,
            p_range, kNbDeclaration.low, kNbDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_NB_EDIT, IDC_NB_SPIN, 0.001f,
            p_end,

        pb_kr, aurivel::kKrParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_KR,
            p_default, kKrDeclaration.defaultValue,
            p_range, kKrDeclaration.low, kKrDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_KR_EDIT, IDC_KR_SPIN, 0.001f,
            p_end,

        pb_kg, aurivel::kKgParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_KG,
            p_default, kKgDeclaration.defaultValue,
            p_range, kKgDeclaration.low, kKgDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_KG_EDIT, IDC_KG_SPIN, 0.001f,
            p_end,

        pb_kb, aurivel::kKbParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_KB,
            p_default, kKbDeclaration.defaultValue,
            p_range, kKbDeclaration.low, kKbDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_KB_EDIT, IDC_KB_SPIN, 0.001f,
            p_end,

        pb_gamma, aurivel::kGammaParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_GAMMA,
            p_default, kGammaDeclaration.defaultValue,
            p_range, kGammaDeclaration.low, kGammaDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, 0.01f,
            p_end,

        pb_hue, aurivel::kHueParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_HUE,
            p_default, kHueDeclaration.defaultValue,
            p_range, kHueDeclaration.low, kHueDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_HUE_EDIT, IDC_HUE_SPIN, 0.1f,
            p_end,

        pb_sat, aurivel::kSatParameter.wide, TYPE_FLOAT, P_ANIMATABLE, IDS_SATURATION,
            p_default, kSatDeclaration.defaultValue,
            p_range, kSatDeclaration.low, kSatDeclaration.high,
            p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_SAT_EDIT, IDC_SAT_SPIN, 0.1f,
            p_end,

        // The map holds the output object as its own reference; the block only names it.
        pb_output, aurivel::kOutputParameter.wide, TYPE_REFTARG, P_OWNERS_REF, IDS_OUTPUT,
            p_refno, kRefTexout,
            p_end,

        p_end);
    // clang-format on
}

}  // namespace

// Constructing this declaration asks for the class descriptor first, which is
// therefore made before it and destroyed after it. The declaration is built
// in place (no copy is made), so the descriptor registers this very object.
ParamBlockDesc2 aurivelParamBlockDesc = DeclareParamBlock(std::make_integer_sequence<int, kPresetItemCount>());
