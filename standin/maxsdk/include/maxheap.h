// Objects handed between the host and a plug-in are allocated and freed by
// the host's heap, whichever side calls new or delete: every form of the
// operators is the host's (maxutil.dll).
#pragma once

#include <cstddef>
#include <new>

#include "utilexp.h"

class MaxHeapOperators {
public:
    static UtilExport void* operator new(std::size_t size);
    // The nothrow and placement forms carry no exception specification, so a
    // new-expression does not test their result before constructing: code
    // that must survive a failed allocation calls the operator itself.
    static UtilExport void* operator new(std::size_t size, const std::nothrow_t& tag);
    static UtilExport void* operator new[](std::size_t size);
    static UtilExport void* operator new[](std::size_t size, const std::nothrow_t& tag);
    static UtilExport void* operator new(std::size_t size, void* placement);

    static UtilExport void operator delete(void* p) noexcept;
    static UtilExport void operator delete(void* p, const std::nothrow_t& tag) noexcept;
    static UtilExport void operator delete[](void* p) noexcept;
    static UtilExport void operator delete[](void* p, const std::nothrow_t& tag) noexcept;
    static UtilExport void operator delete(void* p, void* placement) noexcept;
};
