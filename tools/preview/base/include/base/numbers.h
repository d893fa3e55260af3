// Numbers as the tool reads and prints them: whole text only, no locale.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace aurivel::preview {

// The number that the whole text spells, or nothing (also when out of range,
// and for NaN in any of its spellings: "nan", "-NaN", "nan(123)").
template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<T>) {
        if (value != value) {  // NaN
            return std::nullopt;
        }
    }
    return value;
}

// Whether the whole text spells a number that T cannot hold, too large or
// too close to 0 ("1e400" for a float).
template <typename T>
bool OutOfRange(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc::result_out_of_range && end == text.data() + text.size();
}

// The shortest decimal that reads back as the same float ("0.27105", not
// "0.271049999"), or as the same double.
std::string ShortestDecimal(float v);
std::string ShortestDecimal(double v);

}  // namespace aurivel::preview
