// The host's new handler, of Visual C++'s <new.h> type.
#pragma once

#include <new.h>

namespace MaxSDK {
inline _PNH HostNewHandler() { return nullptr; }
}  // namespace MaxSDK
