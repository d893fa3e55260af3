// In the Universal CRT atexit belongs to the start-up library linked into
// each program and module, so that a module's handlers run when it is
// unloaded; Wine's <stdlib.h> declares it an import of the C runtime DLL,
// as the old msvcrt.dll had it. The start-up library here defines it.
// It also declares what libc++'s Windows locale layer (<iostream>,
// <locale>) calls and Wine's <stdlib.h> lacks: MB_CUR_MAX and the
// locale-taking conversions to float and double, which ucrtbase.dll exports.
#pragma once

#define atexit __wine_imported_atexit
#include_next <stdlib.h>
#undef atexit

#ifdef __cplusplus
extern "C"
#endif
    int __cdecl atexit(void(__cdecl* function)(void));

#ifndef MB_CUR_MAX
#define MB_CUR_MAX ___mb_cur_max_func()
#endif

#ifdef __cplusplus
extern "C" {
#endif
float __cdecl _strtof_l(const char* text, char** end, _locale_t locale);
double __cdecl _strtod_l(const char* text, char** end, _locale_t locale);
#ifdef __cplusplus
}
#endif
