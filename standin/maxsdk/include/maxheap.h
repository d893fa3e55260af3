// Objects handed between the host and a plug-in are allocated and freed by
// the host's heap, whichever side calls new or delete.
#pragma once

#include <cstddef>
#include <new>

class MaxHeapOperators {
public:
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
        return ::operator new(size, tag);
    }
    static void* operator new[](std::size_t size) { return ::operator new[](size); }
    static void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
        return ::operator new[](size, tag);
    }
    static void* operator new(std::size_t, void* placement) noexcept { return placement; }

    static void operator delete(void* p) noexcept { ::operator delete(p); }
    static void operator delete(void* p, const std::nothrow_t& tag) noexcept { ::operator delete(p, tag); }
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
    static void operator delete[](void* p, const std::nothrow_t& tag) noexcept { ::operator delete[](p, tag); }
    static void operator delete(void*, void*) noexcept {}
};
