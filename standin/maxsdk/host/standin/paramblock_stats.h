// How often the host's parameter blocks were asked for a value through
// GetValue, over all blocks: lets tests see whether an object reads its
// block again or serves from what it cached.
#pragma once

#include "PB2Export.h"

namespace standin {

PB2Export long ParamBlockValueReads();

}  // namespace standin
