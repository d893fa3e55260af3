// What the stand-in host knows of a parameter block's declarations beyond
// the SDK's own fields, for the host's programs and tests.
#pragma once

#include <vector>

#include "iparamb2.h"

namespace standin {

// A block's declarations, for a range-based for.
struct ParamDefs {
    ParamDef* first;
    ParamDef* last;
    ParamDef* begin() const { return first; }
    ParamDef* end() const { return last; }
};
inline ParamDefs DefsOf(const ParamBlockDesc2& desc) { return {desc.paramdefs, desc.paramdefs + desc.count}; }

inline bool HasDefault(const ParamDef& def) { return def.standinHasDefault; }
inline bool HasRange(const ParamDef& def) { return def.standinHasRange; }
// Spinner: its edit field, then the spinner; other controls: the one.
inline const std::vector<int>& ControlIds(const ParamDef& def) { return def.standinControls->ids; }
// A combo box's item strings, and the value that each item stands for.
inline const std::vector<StringResID>& Items(const ParamDef& def) { return def.standinControls->items; }
inline const std::vector<int>& ItemValues(const ParamDef& def) { return def.standinControls->itemValues; }

}  // namespace standin
