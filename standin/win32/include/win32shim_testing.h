// What tests can see of the shim beyond the Win32 API. Linux only.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*Win32ShimShellExecuteObserver)(LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show,
                                              void* context);

// While an observer is set, ShellExecuteW reports each call to it, launches
// nothing and succeeds. A null observer ends the observation.
void Win32Shim_SetShellExecuteObserver(Win32ShimShellExecuteObserver observer, void* context);

// How often InvalidateRect has been called for the window since it was
// created; 0 for a handle of no live window.
UINT Win32Shim_GetInvalidateCount(HWND hWnd);

#ifdef __cplusplus
}
#endif
