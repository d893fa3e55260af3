// What the tool does for a parsed command line.
#pragma once

#include <ostream>
#include <string>

#include "cli/options.h"

namespace aurivel::preview {

// Runs the tool. showProgress: whether renders may report progress on err.
// Throws ToolError or UsageError; returns the exit code otherwise.
int RunTool(const Options& options, const std::string& defaultModule, bool showProgress, std::ostream& out,
            std::ostream& err);

}  // namespace aurivel::preview
