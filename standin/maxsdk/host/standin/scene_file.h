// The host's scene files: one root object and everything it refers to, each
// object once (shared objects stay shared), with its class, its own saved
// chunks and its references. Loading creates every object through its class
// descriptor in ClassDirectory, loads it, then installs its references; a
// damaged file yields IO_ERROR and a message, and leaves nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "coreexp.h"
#include "ioapi.h"
#include "ref.h"

namespace standin {

// What the host reads of a scene file. A map with its output object takes
// 400 bytes, and one with its ten animatable parameters keyed on each of
// 100,000 frames 8 MB; the loader holds one object's chunk in memory at a
// time. Saving refuses what loading would.
inline constexpr size_t kLargestScene = size_t{64} << 20;
inline constexpr size_t kLargestObjectChunk = size_t{16} << 20;

// Writes beside path first and replaces path only when all went well, so an
// interrupted save leaves the previous file as it was.
CoreExport IOResult SaveScene(const std::string& path, ReferenceTarget* root, std::string* error);

// The whole file in memory. Writing fails once `failAfterBytes` bytes are
// out (fault injection for tests).
CoreExport IOResult SaveSceneToBytes(ReferenceTarget* root, std::vector<unsigned char>& out,
                                     size_t failAfterBytes = SIZE_MAX, std::string* error = nullptr);

// The root of the loaded scene, or nullptr with *result IO_ERROR. A file
// that is not a regular file, or is not a scene, is refused before more than
// its first bytes are read; LoadScene's messages name the file.
CoreExport ReferenceTarget* LoadSceneFromBytes(const unsigned char* data, size_t size, IOResult* result,
                                               std::string* error);
CoreExport ReferenceTarget* LoadScene(const std::string& path, IOResult* result, std::string* error);

}  // namespace standin
