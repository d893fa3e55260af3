// One copy operation of the host.
#include "standin/copy_operation.h"

namespace standin {

RefTargetHandle CopyOperation::FindMapping(RefTargetHandle from) {
    auto it = copies_.find(from);
    return it == copies_.end() ? nullptr : it->second;
}

void CopyOperation::AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) { copies_[hfrom] = hto; }

ReferenceTarget* CloneObject(ReferenceTarget* obj) {
    CopyOperation copy;
    return copy.CloneRef(obj);
}

}  // namespace standin
