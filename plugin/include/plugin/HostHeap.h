// Objects that the module hands to the host, made on the host's heap.
#pragma once

#include <new>
#include <utility>

// A new T on the host heap (T's MaxHeapOperators), or none when the heap has
// no room. The storage is tested before anything is constructed in it: the
// host declares its nothrow operator new without noexcept, so a
// new-expression would construct without testing. What a constructor throws
// (a host call short of memory) passes on, as from a new-expression, and the
// storage goes back to the heap.
template <class T, class... Args>
T* NewOnHostHeap(Args&&... args) {
    void* storage = T::operator new(sizeof(T), std::nothrow);
    if (!storage) return nullptr;
    try {
        return ::new (storage) T(std::forward<Args>(args)...);
    } catch (...) {
        T::operator delete(storage, std::nothrow);
        throw;
    }
}
