// Character type of the host's strings: always wide.
#pragma once

#include <tchar.h>

// A macro, as the SDK has it, so that signatures spell wchar_t.
#define MCHAR wchar_t
typedef MCHAR* LPMSTR;
#define _M(x) L##x
