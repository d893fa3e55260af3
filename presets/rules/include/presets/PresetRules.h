// What choosing a preset does to the map's parameter block and its rollout.
#pragma once

#include "max.h"
#include "iparamb2.h"

namespace aurivel {

// Writes preset row `index`'s six constants into `block` at time 0; Custom
// and unknown indices write nothing.
void ApplyPreset(IParamBlock2* block, int index);

// Enables the six n/k controls of `block`'s open rollout for Custom (and
// values below it) and greys them for a metal; without a block or an open
// rollout there is nothing to do.
void UpdateConstantControls(IParamBlock2* block);

}  // namespace aurivel
