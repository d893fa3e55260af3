// The parameter-block side of class descriptors (ClassDesc2).
#include <algorithm>

#include "iparamb2.h"

ClassDesc2::ClassDesc2() = default;

ClassDesc2::~ClassDesc2() {
    // Declarations that outlive their descriptor must not reach back to it.
    for (ParamBlockDesc2* pbd : pbDescs_) pbd->cd = nullptr;
}

int ClassDesc2::NumParamBlockDescs() { return static_cast<int>(pbDescs_.size()); }

ParamBlockDesc2* ClassDesc2::GetParamBlockDesc(int i) {
    return i >= 0 && i < NumParamBlockDescs() ? pbDescs_[static_cast<size_t>(i)] : nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) {
    for (ParamBlockDesc2* pbd : pbDescs_) {
        if (pbd->ID == id) return pbd;
    }
    return nullptr;
}

void ClassDesc2::AddParamBlockDesc(ParamBlockDesc2* pbd) {
    if (std::find(pbDescs_.begin(), pbDescs_.end(), pbd) == pbDescs_.end()) pbDescs_.push_back(pbd);
}

void ClassDesc2::RemoveParamBlockDesc(ParamBlockDesc2* pbd) {
    pbDescs_.erase(std::remove(pbDescs_.begin(), pbDescs_.end(), pbd), pbDescs_.end());
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    for (ParamBlockDesc2* pbd : pbDescs_) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) continue;
        IParamBlock2* block = CreateParameterBlock2(pbd, owner);
        if (owner->ReplaceReference(pbd->ref_no, block) != REF_SUCCEED) block->DeleteThis();
    }
}

void ClassDesc2::Reset(ReferenceMaker* owner, BOOL updateUI, BOOL callSetHandlers) {
    for (ParamBlockDesc2* pbd : pbDescs_) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) continue;
        if (auto* block = dynamic_cast<IParamBlock2*>(owner->GetReference(pbd->ref_no)))
            block->ResetAll(updateUI, callSetHandlers);
    }
}
