#include "nkdata/nk_error.h"

#include <charconv>

namespace aurivel::nkdata {

void Fail(const std::string& source, int line, const std::string& why) {
    throw DataError(source + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + why);
}

std::string Decimal(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace aurivel::nkdata
