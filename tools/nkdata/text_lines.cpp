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

// The line as the readers take it: without a byte order mark on the first,
// without blanks at either end.
std::string_view Cleaned(int number, std::string_view line) {
    return Trim(number == 1 ? WithoutByteOrderMark(line) : line);
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
        line(lines.LineNumber(), Cleaned(lines.LineNumber(), *next));
    }
}

std::string FirstDataLine(std::string_view text, const std::string& source) {
    hostfiles::LineReader lines(text, source, hostfiles::kLongestDataLine);
    while (const std::optional<std::string_view> next = NextLine(lines)) {
        const std::string_view line = Cleaned(lines.LineNumber(), *next);
        if (!line.empty() && line.front() != '#') {
            return std::string(line);
        }
    }
    return {};
}

}  // namespace aurivel::nkdata
