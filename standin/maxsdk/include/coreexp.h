// The export marker of core.dll. Each of the host's libraries has its own
// header for its marker (coreexp.h, utilexp.h, PB2Export.h, geomexp.h): a
// library exports what its marker marks, and every other module imports it
// from there. A member without a marker is defined in the header, so no
// module imports it. On Linux all of them make up one shared library, and a
// module built with hidden visibility still sees what they mark.
#pragma once

#include "dllexport.h"

#if defined(STANDIN_BUILDING_CORE)
#define CoreExport STANDIN_DLL_EXPORT
#else
#define CoreExport STANDIN_DLL_IMPORT
#endif
