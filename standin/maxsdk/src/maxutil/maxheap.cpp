// The host's heap operators: the C++ runtime's heap of the host, which fails
// on demand (standin/host_heap.h).
#include "maxheap.h"

#include <atomic>

#include "standin/host_heap.h"

namespace {

std::atomic<int> failuresPending{0};
std::atomic<std::size_t> failingSize{0};
std::atomic<long> blocksInUse{0};

// Whether the allocation of `size` bytes is one that was asked to fail;
// consumes that failure.
bool TakeFailure(std::size_t size) {
    int pending = failuresPending.load();
    while (pending > 0) {
        if (failuresPending.compare_exchange_weak(pending, pending - 1)) return true;
    }
    std::size_t expected = size;
    return size != 0 && failingSize.compare_exchange_strong(expected, 0);
}

void* Allocate(std::size_t size) noexcept {
    if (TakeFailure(size)) return nullptr;
    void* block = ::operator new(size, std::nothrow);
    if (block) ++blocksInUse;
    return block;
}

void* AllocateOrThrow(std::size_t size) {
    if (void* block = Allocate(size)) return block;
    throw std::bad_alloc();
}

void Free(void* block) noexcept {
    if (!block) return;
    --blocksInUse;
    ::operator delete(block);
}

}  // namespace

namespace standin {

void FailNextHostHeapAllocations(int count) { failuresPending = count; }
void FailNextHostHeapAllocationOfSize(std::size_t size) { failingSize = size; }
void StopHostHeapFailures() {
    failuresPending = 0;
    failingSize = 0;
}
long HostHeapBlocksInUse() { return blocksInUse.load(); }

}  // namespace standin

void* MaxHeapOperators::operator new(std::size_t size) { return AllocateOrThrow(size); }
void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t&) { return Allocate(size); }
void* MaxHeapOperators::operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* MaxHeapOperators::operator new[](std::size_t size, const std::nothrow_t&) { return Allocate(size); }
void* MaxHeapOperators::operator new(std::size_t, void* placement) { return placement; }

void MaxHeapOperators::operator delete(void* p) noexcept { Free(p); }
void MaxHeapOperators::operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void MaxHeapOperators::operator delete[](void* p) noexcept { Free(p); }
void MaxHeapOperators::operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
void MaxHeapOperators::operator delete(void*, void*) noexcept {}
