#include "text_lines.h"

#include <optional>

#include "hostfiles/data_file_limits.h"
#include "hostfiles/line_reader.h"
#include "nk_error.h"

namespace aurivel::nkdata {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";

// The reader's next line, its refusal of an over-long one a DataError.
std::optional<std::string_view> NextLine(hostfiles::LineReader& lines) {
    try {
        return lines.Next();
    } catch (const hostfiles::FileError& e) {
        throw DataError(e.what());
    }
}

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

void ForEachLine(std::string_view text, const std::string& source,
                 const std::function<void(int number, std::string_view text)>& line) {
    hostfiles::LineReader lines(text, source, hostfiles::kLongestDataLine);
    while (const std::optional<std::string_view> next = NextLine(lines)) {
        const int number = lines.LineNumber();
        line(number, Trim(number == 1 ? WithoutByteOrderMark(*next) : *next));
    }
}

}  // namespace aurivel::nkdata
