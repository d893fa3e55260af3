// The host's list of classes.
#include "standin/class_directory.h"

#include <algorithm>

#include "builtin_classes.h"

namespace standin {

ClassDirectory& ClassDirectory::Instance() {
    static ClassDirectory directory;
    return directory;
}

ClassDirectory::ClassDirectory() {
    Add(ParamBlock2ClassDesc());
    Add(DefaultTextureOutputClassDesc());
}

bool ClassDirectory::Add(ClassDesc* cd) {
    if (Find(cd->SuperClassID(), cd->ClassID())) return false;
    classes_.push_back(cd);
    return true;
}

void ClassDirectory::Remove(ClassDesc* cd) {
    classes_.erase(std::remove(classes_.begin(), classes_.end(), cd), classes_.end());
}

ClassDesc* ClassDirectory::Find(SClass_ID sclass, Class_ID cid) const {
    for (ClassDesc* cd : classes_) {
        if (cd->SuperClassID() == sclass && cd->ClassID() == cid) return cd;
    }
    return nullptr;
}

}  // namespace standin
