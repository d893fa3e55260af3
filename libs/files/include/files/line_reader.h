// Text files line by line, never holding more than the longest line a format
// allows: a line is handed out as soon as it is read, so a reader can refuse
// a file by its first line before the rest is read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "files/input_file.h"

namespace aurivel::files {

class LineReader {
public:
    // The lines of an open file, read as they are asked for.
    LineReader(InputFile& file, size_t longestLine);
    // The lines of a text in memory; `name` names it in messages.
    LineReader(std::string_view text, std::string name, size_t longestLine);

    // The next line without its end ("\n" or "\r\n"), valid until the next
    // call; none after the last. Throws FileError
    // "<name>: line 3 is longer than the 64 KiB a line may have".
    std::optional<std::string_view> Next();
    // The number of the line Next returned last, from 1.
    int LineNumber() const { return lineNumber_; }
    const std::string& Name() const { return name_; }

private:
    bool ReadMore();
    std::string_view TakeLine(size_t end, size_t next);
    [[noreturn]] void FailTooLong(int line) const;

    InputFile* file_;
    std::string name_;
    size_t longestLine_;
    std::string buffer_;
    size_t lineStart_ = 0;  // in buffer_
    size_t searched_ = 0;   // bytes of the pending line known to hold no line end
    int lineNumber_ = 0;
};

}  // namespace aurivel::files
