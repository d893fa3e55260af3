// The host's heap operators: the C++ runtime's heap of the host, which fails
// on demand (standin/host_heap.h).
#include "maxheap.h"

#include <atomic>

#include "standin/host_heap.h"

namespace {

std::atomic<int> successesFirst{0};
std::atomic<int> failuresPending{0};
std::atomic<std::size_t> failingSize{0};
std::atomic<long> blocksInUse{0};

// Takes one from a positive count.
bool TakeOne(std::atomic<int>& count) {
    int left = count.load();
    while (left > 0) {
        if (count.compare_exchange_weak(left, left - 1)) return true;
    }
    return false;
}

// Whether the allocation of `size` bytes is one that was asked to fail;
// consumes that failure.
bool TakeFailure(std::size_t size) {
    if (TakeOne(successesFirst)) return false;
    if (TakeOne(failuresPending)) return true;
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

void FailNextHostHeapAllocations(int count, int after) {
    successesFirst = after;
    failuresPending = count;
}
void FailNextHostHeapAllocationOfSize(std::size_t size) { failingSize = size; }
void StopHostHeapFailures() {
    successesFirst = 0;
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
