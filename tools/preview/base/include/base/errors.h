// The two kinds of failure the tool reports, which map to its exit codes.
#pragma once

#include <stdexcept>
#include <string>

namespace aurivel::preview {

// Bad data or a file that cannot be read or written: exit code 1.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A command line that cannot be understood: exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace aurivel::preview
