// How the host stores each parameter type: as a float, as an int, or as a
// reference held by the block's owner.
#pragma once

#include "iparamb2.h"
#include "standin/param_declarations.h"

namespace standin {

enum class ValueKind { Float, Int, Reference, Unsupported };

inline ValueKind KindOf(int type) {
    switch (type) {
        case TYPE_FLOAT:
        case TYPE_ANGLE:
        case TYPE_PCNT_FRAC:
        case TYPE_WORLD:
        case TYPE_COLOR_CHANNEL:
            return ValueKind::Float;
        case TYPE_INT:
        case TYPE_BOOL:
        case TYPE_TIMEVALUE:
        case TYPE_RADIOBTN_INDEX:
            return ValueKind::Int;
        case TYPE_MTL:
        case TYPE_TEXMAP:
        case TYPE_REFTARG:
            return ValueKind::Reference;
        default:
            return ValueKind::Unsupported;
    }
}

}  // namespace standin
