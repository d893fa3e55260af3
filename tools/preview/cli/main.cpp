// aurivel-preview: renders the Aurivel map as 3ds Max would, without 3ds Max.
#include <unistd.h>

#include <exception>
#include <iostream>

#include "cli/app.h"
#include "cli/errors.h"
#include "nk_error.h"
#include "cli/wide_text.h"

namespace {

constexpr const char* kPrefix = "aurivel-preview: ";

}  // namespace

int main(int argc, char** argv) {
    using namespace aurivel::preview;
    try {
        const Options options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        const bool showProgress = options.progress || isatty(STDERR_FILENO) == 1;
        return RunTool(options, AURIVEL_DEFAULT_MODULE, showProgress, std::cout, std::cerr);
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
