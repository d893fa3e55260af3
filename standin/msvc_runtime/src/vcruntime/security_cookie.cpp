// The buffer-overrun checks of /GS: a function with a local array stores
// the cookie (mixed with its stack pointer) in its frame and checks it
// before it returns. A changed cookie ends the process at once, as Visual
// C++'s runtime does.
#include <windows.h>

#include <intrin.h>

#include "startup.h"

extern "C" {
// The default value, which no run keeps.
UINT_PTR __security_cookie = 0x00002B992DDFA232;

void __cdecl __security_check_cookie(UINT_PTR cookie) {
    if (cookie != __security_cookie) __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE);
}
}

namespace msvc_runtime {

void InitializeSecurityCookie() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    UINT_PTR cookie = static_cast<UINT_PTR>(counter.QuadPart) ^ GetCurrentProcessId() ^
                      (static_cast<UINT_PTR>(GetCurrentThreadId()) << 32) ^
                      (static_cast<UINT_PTR>(now.dwHighDateTime) << 32 | now.dwLowDateTime) ^
                      reinterpret_cast<UINT_PTR>(&cookie);
    cookie &= 0x0000FFFFFFFFFFFF;  // the top bits stay zero, as Visual C++ keeps them
    __security_cookie = cookie;
}

}  // namespace msvc_runtime
