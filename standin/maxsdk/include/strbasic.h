// Character type of the host's strings: always wide.
#pragma once

#include <tchar.h>

typedef wchar_t MCHAR;
typedef MCHAR* LPMSTR;
#define _M(x) L##x
