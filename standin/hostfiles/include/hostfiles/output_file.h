// The host's saving of a whole file: the bytes go to "<path>.saving", which
// then takes the place of <path> in one step, so that neither a reader nor
// a failure ever sees half a file or loses the previous one.
#pragma once

#include <cstddef>
#include <string>

namespace hostfiles {

// Throws FileError "cannot write <path>.saving: <reason>" or "cannot replace
// <path>: <reason>"; the previous file is then untouched and no temporary
// file is left.
void WriteWholeFile(const std::string& path, const void* bytes, size_t size);

}  // namespace hostfiles
