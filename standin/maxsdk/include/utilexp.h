// The export marker of maxutil.dll (see coreexp.h).
#pragma once

#include "dllexport.h"

#if defined(STANDIN_BUILDING_MAXUTIL)
#define UtilExport STANDIN_DLL_EXPORT
#else
#define UtilExport STANDIN_DLL_IMPORT
#endif
