// ShellExecuteW hands the file (in this host, a web address) to the
// desktop's opener, xdg-open, if there is one on PATH. The opener is started
// through a shell that puts it in the background and exits at once, so it
// runs detached and leaves no child behind.

#include "text.h"

#include <windows.h>
#include <win32shim_testing.h>

#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace win32shim {
namespace {

constexpr char kOpener[] = "xdg-open";
// Any value above 32 reports success.
const HINSTANCE kLaunched = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
const HINSTANCE kNoOpener = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));

std::mutex observerMutex;
Win32ShimShellExecuteObserver observer = nullptr;
void* observerContext = nullptr;

bool IsOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string directories = path != nullptr ? path : "";
    size_t start = 0;
    while (start <= directories.size()) {
        size_t end = directories.find(':', start);
        if (end == std::string::npos) end = directories.size();
        const std::string directory = directories.substr(start, end - start);
        if (!directory.empty() && access((directory + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

bool LaunchDetached(const std::string& file) {
    const std::string command = std::string(kOpener) + " \"$1\" </dev/null >/dev/null 2>&1 &";
    const char* argv[] = {"sh", "-c", command.c_str(), "sh", file.c_str(), nullptr};
    pid_t shell = 0;
    if (posix_spawnp(&shell, "sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return false;
    int status = 0;
    return waitpid(shell, &status, 0) == shell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ReportToObserver(LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show) {
    std::lock_guard<std::mutex> lock(observerMutex);
    if (observer == nullptr) return false;
    observer(verb, file, params, dir, show, observerContext);
    return true;
}

}  // namespace
}  // namespace win32shim

using namespace win32shim;

// The verb, parameters and directory do not matter to a web address.
extern "C" HINSTANCE WINAPI ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                                          LPCWSTR lpDirectory, INT nShowCmd) {
    if (ReportToObserver(lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd)) return kLaunched;
    if (lpFile == nullptr) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
    if (!IsOnPath(kOpener) || !LaunchDetached(Utf8FromWide(ApiString(lpFile)))) return kNoOpener;
    return kLaunched;
}

extern "C" void Win32Shim_SetShellExecuteObserver(Win32ShimShellExecuteObserver newObserver, void* context) {
    std::lock_guard<std::mutex> lock(observerMutex);
    observer = newObserver;
    observerContext = context;
}
