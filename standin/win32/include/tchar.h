// Generic-text mappings of a Unicode build.
#pragma once
#include <wchar.h>
typedef wchar_t TCHAR;
#define _T(x) L##x
#define _TEXT(x) L##x
