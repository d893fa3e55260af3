// In the Universal CRT atexit belongs to the start-up library linked into
// each program and module, so that a module's handlers run when it is
// unloaded; Wine's <stdlib.h> declares it an import of the C runtime DLL,
// as the old msvcrt.dll had it. The start-up library here defines it.
#pragma once

#define atexit __wine_imported_atexit
#include_next <stdlib.h>
#undef atexit

#ifdef __cplusplus
extern "C"
#endif
    int __cdecl atexit(void(__cdecl* function)(void));
