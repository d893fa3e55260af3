// libc++'s std::thread over the Windows API, the out-of-line parts that its
// compiled library would hold: starting and joining threads, and the
// per-thread state that std::thread hands to each new thread (kept in a
// fibre-local slot, whose callback frees it when the thread ends).
#include <windows.h>

#include <process.h>
#include <stdio.h>
#include <stdlib.h>

#include <thread>

// libc++ keeps a thread as a pointer-sized __libcpp_thread_t and a
// thread-local slot as a long; the Windows handles and indexes are cast to
// and from them.
static_assert(sizeof(std::__libcpp_thread_t) == sizeof(HANDLE) && sizeof(uintptr_t) == sizeof(HANDLE),
              "a thread's handle must fit libc++'s thread");
static_assert(sizeof(std::__libcpp_tls_key) >= sizeof(DWORD), "a fibre-local index must fit libc++'s key");

namespace {

struct ThreadStart {
    void* (*function)(void*);
    void* argument;
};

unsigned __stdcall RunThread(void* start) {
    const ThreadStart run = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    run.function(run.argument);
    return 0;
}

}  // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

int __libcpp_thread_create(__libcpp_thread_t* thread, void* (*function)(void*), void* argument) {
    auto* start = new ThreadStart{function, argument};
    *thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RunThread, start, 0, nullptr));
    if (*thread) return 0;
    delete start;
    return static_cast<int>(GetLastError());
}

// std::thread::joinable: a thread not yet joined holds its handle.
bool __libcpp_thread_isnull(const __libcpp_thread_t* thread) { return *thread == nullptr; }

int __libcpp_tls_create(__libcpp_tls_key* key, void(_LIBCPP_TLS_DESTRUCTOR_CC* atThreadExit)(void*)) {
    const DWORD slot = FlsAlloc(atThreadExit);
    if (slot == FLS_OUT_OF_INDEXES) return static_cast<int>(GetLastError());
    *key = static_cast<__libcpp_tls_key>(slot);
    return 0;
}

int __libcpp_tls_set(__libcpp_tls_key key, void* value) {
    return FlsSetValue(static_cast<DWORD>(key), value) ? 0 : static_cast<int>(GetLastError());
}

// std::thread reports a failure to start or join a thread this way; without
// std::system_error (which lives in the compiled library) the program ends.
void __throw_system_error(int error, const char* what) {
    fprintf(stderr, "%s (Windows error %d)\n", what, error);
    abort();
}

__thread_specific_ptr<__thread_struct>& __thread_local_data() {
    static __thread_specific_ptr<__thread_struct> data;
    return data;
}

// The state serves notify_all_at_thread_exit and promises made ready at
// thread exit, which this build does not offer.
__thread_struct::__thread_struct() : __p_(nullptr) {}
__thread_struct::~__thread_struct() {}

thread::~thread() {
    if (__t_) terminate();
}

void thread::join() {
    const HANDLE handle = static_cast<HANDLE>(__t_);
    if (!handle || WaitForSingleObjectEx(handle, INFINITE, FALSE) == WAIT_FAILED || !CloseHandle(handle))
        __throw_system_error(static_cast<int>(GetLastError()), "thread::join failed");
    __t_ = nullptr;
}

_LIBCPP_END_NAMESPACE_STD
