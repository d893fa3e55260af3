// The export marker of geom.dll (see coreexp.h).
#pragma once

#include "dllexport.h"

#if defined(STANDIN_BUILDING_GEOM)
#define GEOM_EXPORT STANDIN_DLL_EXPORT
#else
#define GEOM_EXPORT STANDIN_DLL_IMPORT
#endif
