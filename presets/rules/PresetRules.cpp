#include "presets/PresetRules.h"

#include "iparamm2.h"
#include "map/AurivelParams.h"
#include "presets/preset_table.h"

namespace aurivel {

void ApplyPreset(IParamBlock2* block, int index) {
    const OpticalConstants* row = PresetRow(index);
    if (!row) return;
    const float values[] = {row->nr, row->ng, row->nb, row->kr, row->kg, row->kb};
    for (int i = 0; i < 6; ++i) block->SetValue(kOpticalConstantIDs[i], 0, values[i]);
}

void UpdateConstantControls(IParamBlock2* block) {
    if (!block) return;
    const int preset = block->GetInt(pb_preset, 0);
    IParamMap2* rollout = block->GetMap(0);
    if (!rollout) return;
    const BOOL editable = preset <= 0 ? TRUE : FALSE;
    for (ParamID id : kOpticalConstantIDs) rollout->Enable(id, editable, 0);
}

}  // namespace aurivel
