// Saving a whole file: the bytes go to a new file "<path>.saving", which
// then takes the place of <path> in one step, so that neither a reader nor
// a failure ever sees half a file or loses the previous one. Something
// already named "<path>.saving" is someone else's, or left by a save that
// broke off: it is kept, and the save fails.
#pragma once

#include <cstddef>
#include <string>

#include "files/file_error.h"

namespace aurivel::files {

// Throws FileError "cannot write <path>.saving: <reason>" or "cannot replace
// <path>: <reason>"; the previous file is then untouched and no temporary
// file of this save is left.
void WriteWholeFile(const std::string& path, const void* bytes, size_t size);

}  // namespace aurivel::files
