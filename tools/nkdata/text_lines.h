// Line-by-line reading for the table formats.
#pragma once

#include <functional>
#include <istream>
#include <string_view>

namespace aurivel::nkdata {

// The text without spaces, tabs and line ends at either end.
std::string_view Trim(std::string_view text);

// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

// Calls `line` for each line with its number (from 1), without a UTF-8 byte
// order mark at the start, its line end, or blanks at either end.
void ForEachLine(std::istream& in, const std::function<void(int number, std::string_view text)>& line);

}  // namespace aurivel::nkdata
