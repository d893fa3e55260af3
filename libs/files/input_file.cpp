#include "files/input_file.h"

#include <algorithm>

#include "platform_file.h"

namespace aurivel::files {

std::string DescribeSize(uint64_t bytes) {
    constexpr uint64_t kKiB = 1024;
    constexpr uint64_t kMiB = kKiB * 1024;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

void CheckSize(uint64_t size, const std::string& name, const SizeLimit& limit) {
    if (size > limit.bytes)
        throw FileError(name + " is larger than the " + DescribeSize(limit.bytes) + " " + limit.what + " may have");
}

InputFile::InputFile(const std::string& path) : path_(path) {
    const platform::OpenedFile opened = platform::OpenRegularFile(path);
    handle_ = opened.handle;
    size_ = opened.size;
}

InputFile::~InputFile() {
    if (handle_ != platform::kNoHandle) platform::Close(handle_);
}

InputFile::InputFile(InputFile&& other) noexcept
    : path_(std::move(other.path_)), handle_(other.handle_), size_(other.size_) {
    other.handle_ = platform::kNoHandle;
}

size_t InputFile::ReadSome(void* buffer, size_t n) { return platform::Read(handle_, buffer, n, path_); }

void InputFile::ReadExactly(void* buffer, size_t n) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (size_t done = 0; done < n;) {
        const size_t got = ReadSome(bytes + done, n - done);
        if (got == 0) throw FileError(path_ + " ended early: it changed while it was being read");
        done += got;
    }
}

std::string ReadWholeFile(const std::string& path, const SizeLimit& limit) {
    InputFile file(path);
    file.CheckSize(limit);
    // Reads until the end or one byte past the limit, which tells a file
    // that grew past it since it was opened.
    std::string bytes(static_cast<size_t>(std::min(file.Size(), limit.bytes) + 1), '\0');
    size_t size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > limit.bytes) break;
            bytes.resize(static_cast<size_t>(std::min<uint64_t>(2 * uint64_t{size}, limit.bytes + 1)));
        }
        const size_t got = file.ReadSome(&bytes[size], bytes.size() - size);
        if (got == 0) break;
        size += got;
    }
    CheckSize(size, path, limit);
    bytes.resize(size);
    return bytes;
}

}  // namespace aurivel::files
