// Line-by-line reading for the table formats, through the host's file
// services' line reader with the longest line a data file may have.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aurivel::nkdata {

// The text without spaces, tabs and line ends at either end.
std::string_view Trim(std::string_view text);

// The words of a line, split at commas when it has any (each then trimmed,
// so an empty field stays an empty word) and at runs of spaces and tabs
// otherwise.
std::vector<std::string_view> SplitFields(std::string_view line);

// A number that the whole text spells in the C locale, finite, or nothing.
std::optional<double> ParseDecimal(std::string_view text);

// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

// Calls `line` for each line of the text with its number (from 1), without a
// UTF-8 byte order mark at the start, its line end, or blanks at either end.
// Each line is handed out before the next is looked at; one longer than a
// data file's longest line throws DataError "source: line 3 is longer than
// the 64 KiB a line may have".
void ForEachLine(std::string_view text, const std::string& source,
                 const std::function<void(int number, std::string_view text)>& line);

// The first lines (up to count) that are neither blank nor a '#' comment,
// as ForEachLine gives them, within the same longest line.
std::vector<std::string> LeadingDataLines(std::string_view text, const std::string& source, std::size_t count);

// Whether a plain table's line is a header ("wavelength n k"): none of its
// fields is a number.
bool IsHeaderLine(std::string_view line);

}  // namespace aurivel::nkdata
