// Scalar types shared by the host's interfaces.
#pragma once

#include <windows.h>

// Windows' name; glibc has one of its own.
#if defined(_WIN32)
typedef ULONG ulong;
#endif
typedef int TimeValue;  // 4800 ticks per second
#define TIME_PosInfinity TimeValue(0x7fffffff)
#define TIME_NegInfinity TimeValue(0x80000000)

typedef ULONG SClass_ID;
typedef ULONG_PTR PartID;
typedef unsigned int RefMessage;

typedef short BlockID;
typedef short ParamID;
typedef short MapID;
typedef INT_PTR StringResID;

enum RefResult { REF_FAIL, REF_SUCCEED, REF_DONTCARE, REF_STOP, REF_INVALID, REF_AUTO_DELETE, REF_HALT = 0 };
