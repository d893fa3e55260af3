// A folder of a test's own for files on disk, removed with everything in it
// when the test is done. Written with the C library (and its POSIX or
// Windows names), as the Microsoft-ABI build has no <filesystem>.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <process.h>
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
    static void MakeOne(const std::string& path) { _mkdir(path.c_str()); }
    static void RemoveAll(const std::string& path) {
        _finddata64_t entry;
        const intptr_t search = _findfirst64((path + "/*").c_str(), &entry);
        if (search != -1) {
            do {
                const std::string name = entry.name;
                if (name == "." || name == "..") continue;
                if (entry.attrib & _A_SUBDIR)
                    RemoveAll(path + "/" + name);
                else
                    std::remove((path + "/" + name).c_str());
            } while (_findnext64(search, &entry) == 0);
            _findclose(search);
        }
        _rmdir(path.c_str());
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
