#include "numbers.h"

namespace aurivel::preview {

std::string ShortestDecimal(float v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

}  // namespace aurivel::preview
