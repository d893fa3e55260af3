// Why n/k data cannot be used.
#pragma once

#include <stdexcept>
#include <string>

namespace aurivel::nkdata {

// A file, page or value that cannot be used; the message reads
// "source:line: why", or "source: why" where no one line is to blame.
class DataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws DataError; line 0 leaves the line out.
[[noreturn]] void Fail(const std::string& source, int line, const std::string& why);

// A wavelength or value as messages print it: the shortest decimal that
// reads back as the same double.
std::string Decimal(double value);

}  // namespace aurivel::nkdata
