// An object that others may share: it keeps a weak reference to its owner,
// whose release is libc++'s __shared_weak_count::__release_weak. Every
// module that includes the header has one, destroyed as it unloads, so its
// destructor is the module's too.
#pragma once

#include <memory>

class SharedOwner {
public:
    virtual ~SharedOwner() {}

private:
    std::weak_ptr<void> owner_;
};

inline SharedOwner moduleSharedOwner;
