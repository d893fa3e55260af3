// Reading outside files: scenes and data files come from mail, downloads,
// shares and mistyped paths, so a file is opened only if it is a regular
// file (never blocking on a pipe or a device), and its size is checked
// against what the reader accepts before it is read.
// Every failure is a FileError whose message names the file and says why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/file_error.h"

namespace aurivel::files {

// The most a reader accepts of one kind of file, and what that kind is
// called in messages ("a data file").
struct SizeLimit {
    uint64_t bytes;
    const char* what;
};

// "16 MiB", "64 KiB" or "100 bytes".
std::string DescribeSize(uint64_t bytes);

// Throws "<name> is larger than the 16 MiB a data file may have".
void CheckSize(uint64_t size, const std::string& name, const SizeLimit& limit);

class InputFile {
public:
    // Throws MissingFile "<path> does not exist", or FileError "... is a directory",
    // "... is not a regular file", "... cannot be read: <reason>".
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile& operator=(InputFile&&) = delete;

    const std::string& Path() const { return path_; }
    // The size when it was opened.
    uint64_t Size() const { return size_; }
    void CheckSize(const SizeLimit& limit) const { files::CheckSize(size_, path_, limit); }

    // Up to n bytes from where the last read ended; 0 at the end.
    size_t ReadSome(void* buffer, size_t n);
    // Exactly n bytes; throws when the file ends first (it changed since it
    // was opened).
    void ReadExactly(void* buffer, size_t n);

private:
    std::string path_;
    std::intptr_t handle_;
    uint64_t size_;
};

// The whole file in memory, refused without reading when it is larger than
// the limit (and when it grows past it while being read).
std::string ReadWholeFile(const std::string& path, const SizeLimit& limit);

}  // namespace aurivel::files
