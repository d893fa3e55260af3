// The global allocation functions over the C runtime's heap, as Visual C++
// defines them: a failed allocation calls the new handler and tries again
// until there is none, then throws std::bad_alloc.
#include <stdlib.h>

#include <new>

extern "C" _ACRTIMP int __cdecl _callnewh(size_t size);

namespace std {
const nothrow_t nothrow{};
}

void* operator new(size_t size) {
    for (;;) {
        if (void* block = malloc(size ? size : 1)) return block;
        if (_callnewh(size) == 0) throw std::bad_alloc();
    }
}

void* operator new[](size_t size) { return ::operator new(size); }

void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }

void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }
