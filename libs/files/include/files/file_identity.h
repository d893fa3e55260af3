// Which file a path names, however it is spelt: hard and symbolic links,
// "./a" and "a" name one file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace aurivel::files {

// The device (on Windows the volume) and the file's number on it.
struct FileIdentity {
    uint64_t device;
    uint64_t file;

    bool operator==(const FileIdentity& other) const { return device == other.device && file == other.file; }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// None when nothing is there or it cannot be looked at.
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace aurivel::files
