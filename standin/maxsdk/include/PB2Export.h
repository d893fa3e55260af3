// The export marker of paramblk2.dll (see coreexp.h).
#pragma once

#include "dllexport.h"

#if defined(STANDIN_BUILDING_PARAMBLK2)
#define PB2Export STANDIN_DLL_EXPORT
#else
#define PB2Export STANDIN_DLL_IMPORT
#endif
