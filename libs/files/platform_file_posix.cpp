// POSIX: the path is looked at before it is opened, so that devices are
// never opened at all; it is then opened without blocking (a FIFO put in its
// place meanwhile would otherwise wait for a writer) and checked again.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "files/file_identity.h"
#include "files/input_file.h"
#include "platform_file.h"

namespace aurivel::files::platform {
namespace {

[[noreturn]] void FailOpening(const std::string& path, int error) {
    if (error == ENOENT || error == ENOTDIR) throw MissingFile(path + " does not exist");
    if (error == EACCES) throw FileError(path + " cannot be read: permission denied");
    throw FileError(path + " cannot be read: " + std::strerror(error));
}

void RequireRegular(const std::string& path, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) throw FileError(path + " is a directory");
    if (!S_ISREG(status.st_mode)) throw FileError(path + " is not a regular file");
}

}  // namespace

OpenedFile OpenRegularFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) FailOpening(path, errno);
    RequireRegular(path, status);
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) FailOpening(path, errno);
    const int error = fstat(fd, &status) == 0 ? 0 : errno;
    if (error != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        if (error != 0) FailOpening(path, error);
        RequireRegular(path, status);
    }
    return {fd, static_cast<uint64_t>(status.st_size)};
}

size_t Read(std::intptr_t handle, void* buffer, size_t n, const std::string& path) {
    for (;;) {
        const ssize_t got = read(static_cast<int>(handle), buffer, std::min<size_t>(n, SSIZE_MAX));
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR) throw FileError(path + " cannot be read: " + std::strerror(errno));
    }
}

void Close(std::intptr_t handle) { close(static_cast<int>(handle)); }

bool WriteNewFile(const std::string& path, const void* bytes, size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) return false;
    if (fd < 0) throw FileError("cannot write " + path + ": " + std::strerror(errno));
    const auto* next = static_cast<const unsigned char*>(bytes);
    size_t left = size;
    int error = 0;
    while (left > 0 && error == 0) {
        const ssize_t written = write(fd, next, std::min<size_t>(left, SSIZE_MAX));
        if (written > 0) {
            next += written;
            left -= static_cast<size_t>(written);
        } else if (written < 0 && errno != EINTR) {
            error = errno;
        }
    }
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0) return true;
    Remove(path);
    throw FileError("cannot write " + path + ": " + std::strerror(error));
}

void MoveOver(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError("cannot replace " + to + ": " + std::strerror(errno));
}

void Remove(const std::string& path) noexcept { std::remove(path.c_str()); }

}  // namespace aurivel::files::platform

namespace aurivel::files {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

}  // namespace aurivel::files
