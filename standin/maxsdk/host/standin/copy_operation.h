// One copy operation of the host: every object reached through CloneRef is
// copied once, so objects shared among the originals stay shared among the
// copies.
#pragma once

#include <map>

#include "standin/unimplemented.h"
#include "coreexp.h"
#include "ref.h"

namespace standin {

class CoreExport CopyOperation : public standin::Unimplemented<RemapDir> {
public:
    RefTargetHandle FindMapping(RefTargetHandle from) override;
    void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) override;

private:
    std::map<RefTargetHandle, RefTargetHandle> copies_;
};

// Copies obj and everything it refers to as one operation.
CoreExport ReferenceTarget* CloneObject(ReferenceTarget* obj);

}  // namespace standin
