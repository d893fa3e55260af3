// The part of reading and writing a file that differs between POSIX and
// Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace aurivel::files::platform {

struct OpenedFile {
    std::intptr_t handle;
    uint64_t size;
};

inline constexpr std::intptr_t kNoHandle = -1;

// Opens a regular file for reading without blocking on anything else; throws
// FileError naming the path for everything that is not one.
OpenedFile OpenRegularFile(const std::string& path);
// Up to n bytes, 0 at the end; throws FileError on a read error.
size_t Read(std::intptr_t handle, void* buffer, size_t n, const std::string& path);
void Close(std::intptr_t handle);

// Writes a new file at path and returns true; returns false, touching
// nothing, when something is already there. Throws FileError "cannot write
// <path>: <reason>" after removing what it wrote.
bool WriteNewFile(const std::string& path, const void* bytes, size_t size);
// Puts the file `from` in the place of `to` in one step; throws FileError
// "cannot replace <to>: <reason>".
void MoveOver(const std::string& from, const std::string& to);
// Removes the file if it is there.
void Remove(const std::string& path) noexcept;

}  // namespace aurivel::files::platform
