// libc++'s release of a weak reference to a shared object, which its
// compiled library would hold: std::weak_ptr's destructor and the last
// std::shared_ptr call it.
#include <memory>

_LIBCPP_BEGIN_NAMESPACE_STD

void __shared_weak_count::__release_weak() noexcept {
    // The weak count of a control block counts from 0 for one owner; the
    // last one gone frees the block.
    if (__libcpp_atomic_refcount_decrement(__shared_weak_owners_) == -1) __on_zero_shared_weak();
}

_LIBCPP_END_NAMESPACE_STD
