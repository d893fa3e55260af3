// The host's list of classes: its built-in ones (the parameter block and the
// default texture output) and those of the plug-ins it has loaded. Scene
// loading creates objects through it.
#pragma once

#include <vector>

#include "coreexp.h"
#include "plugapi.h"

namespace standin {

class CoreExport ClassDirectory {
public:
    static ClassDirectory& Instance();

    // False, and nothing added, when a class of the same identity is listed.
    bool Add(ClassDesc* cd);
    void Remove(ClassDesc* cd);
    ClassDesc* Find(SClass_ID sclass, Class_ID cid) const;
    int Count() const { return static_cast<int>(classes_.size()); }
    ClassDesc* Get(int i) const { return classes_.at(static_cast<size_t>(i)); }

private:
    ClassDirectory();
    std::vector<ClassDesc*> classes_;
};

}  // namespace standin
