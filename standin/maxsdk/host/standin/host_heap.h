// The host heap (MaxHeapOperators) short of memory on demand, and what it
// holds: lets tests see how objects handle a failed allocation and that
// they leave nothing behind.
#pragma once

#include <cstddef>

#include "utilexp.h"

namespace standin {

// The next `count` allocations from the host heap, after `after` that
// succeed, fail: the nothrow forms return none, the others throw
// std::bad_alloc.
UtilExport void FailNextHostHeapAllocations(int count, int after = 0);
// The next allocation of exactly `size` bytes from the host heap fails.
UtilExport void FailNextHostHeapAllocationOfSize(std::size_t size);
// Cancels the failures still pending.
UtilExport void StopHostHeapFailures();
// Blocks allocated from the host heap and not freed yet.
UtilExport long HostHeapBlocksInUse();

// Failures that end with the scope.
class HostHeapFailureScope {
public:
    HostHeapFailureScope() = default;
    ~HostHeapFailureScope() { StopHostHeapFailures(); }
    HostHeapFailureScope(const HostHeapFailureScope&) = delete;
    HostHeapFailureScope& operator=(const HostHeapFailureScope&) = delete;
};

}  // namespace standin
