#include "base/numbers.h"

namespace aurivel::preview {
namespace {

template <typename T>
std::string Shortest(T v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string ShortestDecimal(float v) { return Shortest(v); }

std::string ShortestDecimal(double v) { return Shortest(v); }

}  // namespace aurivel::preview
