// Writing a metal's constants into the block, and locking their controls.
#include "map/Aurivel.h"
#include "map/AurivelParams.h"
#include "iparamm2.h"
#include "presets/preset_table.h"

void Aurivel::ApplyPreset(IParamBlock2* block, int index) {
    const aurivel::OpticalConstants* row = aurivel::PresetRow(index);
    if (!row) return;
    const float values[] = {row->nr, row->ng, row->nb, row->kr, row->kg, row->kb};
    for (int i = 0; i < 6; ++i) block->SetValue(kOpticalConstantIDs[i], 0, values[i]);
}

void Aurivel::UpdateIORControls() {
    if (!pblock) return;
    const int preset = pblock->GetInt(pb_preset, 0);
    IParamMap2* rollout = pblock->GetMap(0);
    if (!rollout) return;
    // Only Custom (and values below it) leaves the constants editable.
    const BOOL editable = preset <= 0 ? TRUE : FALSE;
    for (ParamID id : kOpticalConstantIDs) rollout->Enable(id, editable, 0);
}
