#include "files/line_reader.h"

namespace aurivel::files {
namespace {

// How much is read from the file at a time.
constexpr size_t kReadSize = 64 * 1024;

}  // namespace

LineReader::LineReader(InputFile& file, size_t longestLine)
    : file_(&file), name_(file.Path()), longestLine_(longestLine) {}

LineReader::LineReader(std::string_view text, std::string name, size_t longestLine)
    : file_(nullptr), name_(std::move(name)), longestLine_(longestLine), buffer_(text) {}

std::optional<std::string_view> LineReader::Next() {
    for (;;) {
        const size_t end = buffer_.find('\n', lineStart_ + searched_);
        if (end != std::string::npos) return TakeLine(end, end + 1);
        searched_ = buffer_.size() - lineStart_;
        // One byte more than the longest line may be the '\r' of a "\r\n".
        if (searched_ > longestLine_ + 1) FailTooLong(lineNumber_ + 1);
        if (!ReadMore()) break;
    }
    if (lineStart_ == buffer_.size()) return std::nullopt;
    return TakeLine(buffer_.size(), buffer_.size());
}

// Keeps only the line being read, then appends what the file has next.
bool LineReader::ReadMore() {
    if (file_ == nullptr) return false;
    buffer_.erase(0, lineStart_);
    lineStart_ = 0;
    const size_t kept = buffer_.size();
    buffer_.resize(kept + kReadSize);
    buffer_.resize(kept + file_->ReadSome(&buffer_[kept], kReadSize));
    return buffer_.size() > kept;
}

// The line from lineStart_ to `end`; the next one starts at `next`.
std::string_view LineReader::TakeLine(size_t end, size_t next) {
    ++lineNumber_;
    size_t length = end - lineStart_;
    if (next > end && length > 0 && buffer_[end - 1] == '\r') --length;
    if (length > longestLine_) FailTooLong(lineNumber_);
    const std::string_view line(buffer_.data() + lineStart_, length);
    lineStart_ = next;
    searched_ = 0;
    return line;
}

void LineReader::FailTooLong(int line) const {
    throw FileError(name_ + ": line " + std::to_string(line) + " is longer than the " + DescribeSize(longestLine_) +
                    " a line may have");
}

}  // namespace aurivel::files
