// The Universal CRT declares the locale-taking classifications that libc++'s
// Windows locale layer (<iostream>, <locale>) calls; Wine's <ctype.h> lacks
// these two. ucrtbase.dll exports them.
#pragma once

#include_next <ctype.h>

#ifdef __cplusplus
extern "C" {
#endif
int __cdecl _islower_l(int c, _locale_t locale);
int __cdecl _isupper_l(int c, _locale_t locale);
#ifdef __cplusplus
}
#endif
