#pragma once

// LLVM's C library's powf, correctly rounded, from the copy of its object
// that cmake/LlvmLibcPowf.cmake prepares: the C++ function in LLVM's
// versioned namespace, which leaves the C library's powf in place.

namespace AURIVEL_LLVM_LIBC_NAMESPACE {
float powf(float x, float y);
}

namespace aurivel::reference {

inline float LlvmPowf(float x, float y) { return AURIVEL_LLVM_LIBC_NAMESPACE::powf(x, y); }

}  // namespace aurivel::reference
