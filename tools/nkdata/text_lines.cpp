#include "text_lines.h"

#include <string>

namespace aurivel::nkdata {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";

}  // namespace

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark ? text.substr(kUtf8ByteOrderMark.size())
                                                                           : text;
}

void ForEachLine(std::istream& in, const std::function<void(int number, std::string_view text)>& line) {
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        line(number, Trim(number == 1 ? WithoutByteOrderMark(text) : std::string_view(text)));
    }
}

}  // namespace aurivel::nkdata
