#include "nkdata/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "nkdata/data_file_limits.h"
#include "files/line_reader.h"
#include "nkdata/nk_error.h"

namespace aurivel::nkdata {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";

// The reader's next line, its refusal of an over-long one a DataError.
std::optional<std::string_view> NextLine(files::LineReader& lines) {
    try {
        return lines.Next();
    } catch (const files::FileError& e) {
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

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.find(',') != std::string_view::npos) {
        for (std::size_t start = 0;;) {
            const std::size_t comma = line.find(',', start);
            fields.push_back(Trim(line.substr(start, comma - start)));
            if (comma == std::string_view::npos) {
                return fields;
            }
            start = comma + 1;
        }
    }
    for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kBlanks, end);
    }
    return fields;
}

std::optional<double> ParseDecimal(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void ForEachLine(std::string_view text, const std::string& source,
                 const std::function<void(int number, std::string_view text)>& line) {
    files::LineReader lines(text, source, kLongestDataLine);
    while (const std::optional<std::string_view> next = NextLine(lines)) {
        line(lines.LineNumber(), Cleaned(lines.LineNumber(), *next));
    }
}

std::vector<std::string> LeadingDataLines(std::string_view text, const std::string& source, std::size_t count) {
    std::vector<std::string> found;
    files::LineReader lines(text, source, kLongestDataLine);
    while (found.size() < count) {
        const std::optional<std::string_view> next = NextLine(lines);
        if (!next) {
            break;
        }
        const std::string_view line = Cleaned(lines.LineNumber(), *next);
        if (!line.empty() && line.front() != '#') {
            found.emplace_back(line);
        }
    }
    return found;
}

bool IsHeaderLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    for (const std::string_view field : fields) {
        if (ParseDecimal(field)) {
            return false;
        }
    }
    return !fields.empty();
}

}  // namespace aurivel::nkdata
