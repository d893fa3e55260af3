// One copy operation of the host.
#include "standin/copy_operation.h"

namespace standin {

RefTargetHandle CopyOperation::FindMapping(RefTargetHandle from) {
    auto it = copies_.find(from);
    return it == copies_.end() ? nullptr : it->second;
}

RefTargetHandle CopyOperation::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) return nullptr;
    if (RefTargetHandle copy = FindMapping(oldTarg)) return copy;
    RefTargetHandle copy = oldTarg->Clone(*this);
    if (copy) AddEntry(oldTarg, copy);
    return copy;
}

void CopyOperation::AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) { copies_[hfrom] = hto; }

ReferenceTarget* CloneObject(ReferenceTarget* obj) {
    CopyOperation copy;
    return copy.CloneRef(obj);
}

}  // namespace standin
