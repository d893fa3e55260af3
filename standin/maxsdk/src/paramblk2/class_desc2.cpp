// The parameter-block side of class descriptors (ClassDesc2).
#include <algorithm>
#include <new>

#include "iparamb2.h"

ClassDesc2::ClassDesc2() = default;

ClassDesc2::~ClassDesc2() {
    // Declarations that outlive their descriptor must not reach back to it.
    for (ParamBlockDesc2* pbd : pbDescs) pbd->cd = nullptr;
}

int ClassDesc2::NumParamBlockDescs() { return pbDescs.Count(); }

ParamBlockDesc2* ClassDesc2::GetParamBlockDesc(int i) {
    return i >= 0 && i < NumParamBlockDescs() ? pbDescs[i] : nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (pbd->ID == id) return pbd;
    }
    return nullptr;
}

void ClassDesc2::AddParamBlockDesc(ParamBlockDesc2* pbd) {
    if (std::find(pbDescs.begin(), pbDescs.end(), pbd) == pbDescs.end() && !pbDescs.Append(pbd)) throw std::bad_alloc();
}

void ClassDesc2::RemoveParamBlockDesc(ParamBlockDesc2* pbd) {
    ParamBlockDesc2** found = std::find(pbDescs.begin(), pbDescs.end(), pbd);
    if (found != pbDescs.end()) pbDescs.Delete(static_cast<int>(found - pbDescs.begin()), 1);
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) continue;
        IParamBlock2* block = CreateParameterBlock2(pbd, owner);
        if (owner->ReplaceReference(pbd->ref_no, block) != REF_SUCCEED) block->DeleteThis();
    }
}

void ClassDesc2::Reset(ReferenceMaker* owner, BOOL updateUI, BOOL callSetHandlers) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) continue;
        if (auto* block = dynamic_cast<IParamBlock2*>(owner->GetReference(pbd->ref_no)))
            block->ResetAll(updateUI, callSetHandlers);
    }
}
