// What the export markers of the host's libraries expand to.
#pragma once

#if defined(_WIN32)
#define STANDIN_DLL_EXPORT __declspec(dllexport)
#define STANDIN_DLL_IMPORT __declspec(dllimport)
#else
#define STANDIN_DLL_EXPORT __attribute__((visibility("default")))
#define STANDIN_DLL_IMPORT __attribute__((visibility("default")))
#endif
