// Windows: the path's attributes tell a directory, the opened handle's type
// a device or a pipe ("NUL", "\\.\pipe\..."), neither of which is read.
#include <windows.h>

#include <algorithm>

#include "files/file_identity.h"
#include "files/input_file.h"
#include "platform_file.h"

namespace aurivel::files::platform {
namespace {

static_assert(sizeof(std::intptr_t) == sizeof(HANDLE), "an open file's handle is kept as an intptr_t");

std::wstring Widen(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string DescribeError(DWORD error) { return "Windows error " + std::to_string(error); }

[[noreturn]] void FailOpening(const std::string& path, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            throw MissingFile(path + " does not exist");
        case ERROR_ACCESS_DENIED:
            throw FileError(path + " cannot be read: access denied");
        case ERROR_SHARING_VIOLATION:
            throw FileError(path + " cannot be read: another program holds it open");
        default:
            throw FileError(path + " cannot be read (" + DescribeError(error) + ")");
    }
}

}  // namespace

OpenedFile OpenRegularFile(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) FailOpening(path, GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path + " is a directory");
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) FailOpening(path, GetLastError());
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw FileError(path + " is not a regular file");
    }
    return {reinterpret_cast<std::intptr_t>(file), static_cast<uint64_t>(size.QuadPart)};
}

size_t Read(std::intptr_t handle, void* buffer, size_t n, const std::string& path) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), buffer, want, &got, nullptr))
        throw FileError(path + " cannot be read (" + DescribeError(GetLastError()) + ")");
    return got;
}

void Close(std::intptr_t handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

bool WriteNewFile(const std::string& path, const void* bytes, size_t size) {
    HANDLE file =
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
        throw FileError("cannot write " + path + ": " + DescribeError(error));
    }
    const auto* next = static_cast<const unsigned char*>(bytes);
    size_t left = size;
    DWORD error = 0;
    while (left > 0 && error == 0) {
        DWORD written = 0;
        if (WriteFile(file, next, static_cast<DWORD>(std::min<size_t>(left, 1u << 30)), &written, nullptr)) {
            next += written;
            left -= written;
        } else {
            error = GetLastError();
        }
    }
    if (!CloseHandle(file) && error == 0) error = GetLastError();
    if (error == 0) return true;
    Remove(path);
    throw FileError("cannot write " + path + ": " + DescribeError(error));
}

void MoveOver(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        throw FileError("cannot replace " + to + ": " + DescribeError(GetLastError()));
}

void Remove(const std::string& path) noexcept { DeleteFileW(Widen(path).c_str()); }

}  // namespace aurivel::files::platform

namespace aurivel::files {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    // Opened for neither reading nor writing, which folders allow too.
    HANDLE file = CreateFileW(platform::Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

}  // namespace aurivel::files
