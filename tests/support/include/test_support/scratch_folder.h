// A folder of a test's own for files on disk, removed with everything in it
// when the test is done. Written with the C library and the system's calls,
// as the Microsoft-ABI build has no <filesystem>.
#pragma once

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

namespace test_support {

// The system's folder for temporary files.
inline std::string TemporaryFolder() {
#ifdef _WIN32
    const char* folder = std::getenv("TEMP");
    return folder ? folder : ".";
#else
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
#endif
}

// "<name>-<process id>": CTest runs each test of a program in a process of
// its own, and may run them side by side.
inline std::string ProcessName(const std::string& name) {
#ifdef _WIN32
    return name + "-" + std::to_string(_getpid());
#else
    return name + "-" + std::to_string(getpid());
#endif
}

class ScratchFolder {
public:
    // "<parent>/<name>", made empty.
    ScratchFolder(const std::string& parent, const std::string& name) : path_(parent + "/" + name) {
        RemoveAll(path_);
        MakeOne(path_);
    }
    ~ScratchFolder() { RemoveAll(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& entry) const { return path_ + "/" + entry; }

    // Makes the folder `entry` ("a" or "a/b") in this one; its path.
    std::string MakeFolder(const std::string& entry) const {
        for (size_t slash = entry.find('/'); slash != std::string::npos; slash = entry.find('/', slash + 1))
            MakeOne(*this / entry.substr(0, slash));
        MakeOne(*this / entry);
        return *this / entry;
    }

private:
#ifdef _WIN32
    // The C runtimes' directory listings differ by name and width between
    // the Windows builds; the system's do not. The tests' paths are ASCII.
    static void MakeOne(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }
    static void RemoveAll(const std::string& path) {
        WIN32_FIND_DATAA entry;
        const HANDLE search = FindFirstFileA((path + "/*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveAll(path + "/" + name);
                else
                    DeleteFileA((path + "/" + name).c_str());
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }
#else
    static void MakeOne(const std::string& path) { mkdir(path.c_str(), 0700); }
    static void RemoveAll(const std::string& path) {
        // Deepest first; a folder made read-only by a test is opened again.
        chmod(path.c_str(), 0700);
        nftw(
            path.c_str(), [](const char* entry, const struct stat*, int, FTW*) { return std::remove(entry); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
#endif

    std::string path_;
};

}  // namespace test_support
