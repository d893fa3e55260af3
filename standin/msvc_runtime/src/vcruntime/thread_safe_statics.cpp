// Function-local statics are initialised once even when several threads
// reach them together. The compiler calls _Init_thread_header when a
// static's guard is newer than the thread's epoch; the thread that finds
// the static uninitialised marks it in progress and initialises it, the
// others wait. The footer publishes the static under a new epoch, so a
// thread whose epoch has caught up reads it without taking the lock.
#include <windows.h>

#include <climits>

extern "C" {
int _Init_global_epoch = INT_MIN;
__declspec(thread) int _Init_thread_epoch = INT_MIN;
}

namespace {

constexpr int kUninitialized = 0;
constexpr int kBeingInitialized = -1;

SRWLOCK guardLock = SRWLOCK_INIT;
CONDITION_VARIABLE guardChanged = CONDITION_VARIABLE_INIT;

}  // namespace

extern "C" void __cdecl _Init_thread_header(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    while (*guard == kBeingInitialized) SleepConditionVariableSRW(&guardChanged, &guardLock, INFINITE, 0);
    if (*guard == kUninitialized)
        *guard = kBeingInitialized;
    else
        _Init_thread_epoch = _Init_global_epoch;
    ReleaseSRWLockExclusive(&guardLock);
}

extern "C" void __cdecl _Init_thread_footer(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    *guard = ++_Init_global_epoch;
    _Init_thread_epoch = _Init_global_epoch;
    ReleaseSRWLockExclusive(&guardLock);
    WakeAllConditionVariable(&guardChanged);
}

// The initialiser threw: the static is uninitialised again, and a waiting
// thread may try.
extern "C" void __cdecl _Init_thread_abort(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    *guard = kUninitialized;
    ReleaseSRWLockExclusive(&guardLock);
    WakeAllConditionVariable(&guardChanged);
}
