// An object that others may share: it keeps a weak reference to its owner,
// whose release is libc++'s __shared_weak_count::__release_weak.
#pragma once

#include <memory>

class SharedOwner {
public:
    virtual ~SharedOwner() {}

private:
    std::weak_ptr<void> owner_;
};
