// The host's heap operators: the C++ runtime's heap of the host.
#include "maxheap.h"

void* MaxHeapOperators::operator new(std::size_t size) { return ::operator new(size); }
void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new(size, tag);
}
void* MaxHeapOperators::operator new[](std::size_t size) { return ::operator new[](size); }
void* MaxHeapOperators::operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new[](size, tag);
}
void* MaxHeapOperators::operator new(std::size_t, void* placement) noexcept { return placement; }

void MaxHeapOperators::operator delete(void* p) noexcept { ::operator delete(p); }
void MaxHeapOperators::operator delete(void* p, const std::nothrow_t& tag) noexcept { ::operator delete(p, tag); }
void MaxHeapOperators::operator delete[](void* p) noexcept { ::operator delete[](p); }
void MaxHeapOperators::operator delete[](void* p, const std::nothrow_t& tag) noexcept {
    ::operator delete[](p, tag);
}
void MaxHeapOperators::operator delete(void*, void*) noexcept {}
