// Export marker of the host's core library. The module is built with hidden
// visibility, so everything it reaches in the host must say so explicitly.
#pragma once

#if defined(_WIN32)
#if defined(MAXSDK_BUILDING)
#define CoreExport __declspec(dllexport)
#else
#define CoreExport __declspec(dllimport)
#endif
#else
#define CoreExport __attribute__((visibility("default")))
#endif
