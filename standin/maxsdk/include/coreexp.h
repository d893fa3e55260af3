// Export markers of the host's libraries: each DLL exports what its marker
// marks, and every other module imports it from there. A member without a
// marker is defined in the header, so no module imports it. On Linux all of
// them make up one shared library, and a module built with hidden
// visibility still sees what they mark.
#pragma once

#if defined(_WIN32)
#define STANDIN_DLL_EXPORT __declspec(dllexport)
#define STANDIN_DLL_IMPORT __declspec(dllimport)
#else
#define STANDIN_DLL_EXPORT __attribute__((visibility("default")))
#define STANDIN_DLL_IMPORT __attribute__((visibility("default")))
#endif

// core.dll
#if defined(STANDIN_BUILDING_CORE)
#define CoreExport STANDIN_DLL_EXPORT
#else
#define CoreExport STANDIN_DLL_IMPORT
#endif

// maxutil.dll
#if defined(STANDIN_BUILDING_MAXUTIL)
#define UtilExport STANDIN_DLL_EXPORT
#else
#define UtilExport STANDIN_DLL_IMPORT
#endif

// geom.dll
#if defined(STANDIN_BUILDING_GEOM)
#define GEOM_EXPORT STANDIN_DLL_EXPORT
#else
#define GEOM_EXPORT STANDIN_DLL_IMPORT
#endif

// paramblk2.dll
#if defined(STANDIN_BUILDING_PARAMBLK2)
#define PB2Export STANDIN_DLL_EXPORT
#else
#define PB2Export STANDIN_DLL_IMPORT
#endif
