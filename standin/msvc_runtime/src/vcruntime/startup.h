// What the entry points of a program and of a module share: the tables of
// initialisers that the compiler places in the .CRT$XC and .CRT$XI sections
// (C++ static constructors and C initialisers), and the handlers that atexit
// registers.
#pragma once

#include <windows.h>

#include <corecrt_startup.h>

extern "C" {
_ACRTIMP void __cdecl _initterm(_PVFV* first, _PVFV* last);
_ACRTIMP int __cdecl _initterm_e(_PIFV* first, _PIFV* last);
}

namespace msvc_runtime {

// Gives the stack cookie of /GS its value for this run, before any function
// that checks it is called.
void InitializeSecurityCookie();

// Runs the C initialisers, then the C++ static constructors; false when a C
// initialiser failed.
bool RunInitializers();

// From now on atexit keeps handlers in the module's own table, which
// RunModuleExitHandlers empties, as a module's static objects must be
// destroyed when it is unloaded, not when the process ends.
void UseModuleExitTable();
void RunModuleExitHandlers();

}  // namespace msvc_runtime
