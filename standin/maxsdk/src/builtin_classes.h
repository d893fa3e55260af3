// Descriptors of the classes the host itself provides.
#pragma once

#include "plugapi.h"

namespace standin {

ClassDesc* ParamBlock2ClassDesc();
ClassDesc* DefaultTextureOutputClassDesc();

}  // namespace standin
