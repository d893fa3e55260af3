// Descriptors of the classes the host itself provides.
#pragma once

#include "PB2Export.h"
#include "plugapi.h"

namespace standin {

// paramblk2.dll's, which core.dll's list of classes holds: core imports it
// through an import library of its own (core/paramblk2_imports.def), as
// paramblk2 itself is built after core, against core's.
PB2Export ClassDesc* ParamBlock2ClassDesc();
// core.dll's
ClassDesc* DefaultTextureOutputClassDesc();

}  // namespace standin
