// aurivel-preview: renders the Aurivel map as 3ds Max would, without 3ds Max.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include "app/app.h"
#include "base/errors.h"
#include "base/wide_text.h"
#include "nkdata/nk_error.h"

namespace {

constexpr const char* kPrefix = "aurivel-preview: ";

// A script or listing cut short by a full disk or a file-size limit must not
// pass for the whole one.
// The reason is that of the last write, which is the one that failed.
int ExitAfterOutput(int exitCode) {
    std::cout.flush();
    if (!std::cout || std::ferror(stdout) != 0) {
        const int error = errno;
        std::cerr << kPrefix << "cannot write standard output" << (error != 0 ? ": " : "")
                  << (error != 0 ? std::strerror(error) : "") << "; what it holds is cut short\n";
        return 1;
    }
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace aurivel::preview;
    // Past a file-size limit a write fails and is reported, rather than the
    // signal ending the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        const Options options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        const bool showProgress = options.progress || isatty(STDERR_FILENO) == 1;
        return ExitAfterOutput(RunTool(options, AURIVEL_MODULE_PATH, showProgress, std::cout, std::cerr));
    } catch (const UsageError& e) {
        std::cerr << kPrefix << PrintableText(e.what()) << "\n" << kPrefix << "try --help\n";
        return 2;
    } catch (const ToolError& e) {
        std::cerr << kPrefix << PrintableText(e.what()) << '\n';
        return 1;
    } catch (const aurivel::nkdata::DataError& e) {
        std::cerr << kPrefix << PrintableText(e.what()) << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << kPrefix << "unexpected failure: " << PrintableText(e.what()) << '\n';
        return 1;
    }
}
