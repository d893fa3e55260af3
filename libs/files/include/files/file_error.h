// What reading or writing a file throws: a message that names the file and
// says why.
#pragma once

#include <stdexcept>

namespace aurivel::files {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "<path> does not exist": nothing is there, so a reader may look elsewhere.
class MissingFile : public FileError {
public:
    using FileError::FileError;
};

}  // namespace aurivel::files
