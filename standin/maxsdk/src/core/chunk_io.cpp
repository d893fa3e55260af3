// Chunk writer and reader over memory.
#include "standin/chunk_io.h"

#include <algorithm>
#include <cwchar>

#include "chunk_header.h"
#include "le_io.h"

namespace standin {

namespace {

// UTF-16 code units of a wide string (wchar_t is UTF-32 on Linux and UTF-16
// on Windows). Code points that UTF-16 cannot carry become U+FFFD.
std::vector<uint16_t> ToUtf16(const MCHAR* str) {
    std::vector<uint16_t> units;
    for (const MCHAR* p = str; *p; ++p) {
        const auto c = static_cast<uint32_t>(*p);
        if (sizeof(MCHAR) == 2 || c < 0x10000) {
            units.push_back(static_cast<uint16_t>(c));
        } else if (c <= 0x10ffff) {
            units.push_back(static_cast<uint16_t>(0xd800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<uint16_t>(0xdc00 + ((c - 0x10000) & 0x3ff)));
        } else {
            units.push_back(0xfffd);
        }
    }
    return units;
}

std::wstring FromUtf16(const std::vector<uint16_t>& units) {
    std::wstring text;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint16_t u = units[i];
        const bool pair = sizeof(MCHAR) > 2 && u >= 0xd800 && u < 0xdc00 && i + 1 < units.size() &&
                          units[i + 1] >= 0xdc00 && units[i + 1] < 0xe000;
        if (pair) {
            const uint32_t c = 0x10000 + ((u - 0xd800u) << 10) + (units[i + 1] - 0xdc00u);
            text.push_back(static_cast<MCHAR>(c));
            ++i;
        } else {
            text.push_back(static_cast<MCHAR>(u));
        }
    }
    return text;
}

}  // namespace

// ChunkWriter ----------------------------------------------------------------

ChunkWriter::ChunkWriter(std::vector<unsigned char>& out, size_t limit) : out_(out), limit_(limit) {}

void ChunkWriter::BeginChunk(USHORT id) {
    if (!open_.empty()) {
        if (open_.back().hasData) Fail("chunk " + ChunkIdText(open_.back().id) + " holds both data and chunks");
        open_.back().hasChunks = true;
    }
    open_.push_back(Frame{out_.size(), id, false, false});
    unsigned char header[kChunkHeaderSize] = {};
    PutU16(header, id);
    Emit(header, kChunkHeaderSize);
}

void ChunkWriter::EndChunk() {
    if (Depth() <= floor_) {
        Fail("EndChunk without a matching BeginChunk");
        return;
    }
    const Frame chunk = open_.back();
    open_.pop_back();
    if (Failed()) return;
    const size_t length = out_.size() - chunk.start;
    if (length > kLengthMask) {
        Fail("chunk " + ChunkIdText(chunk.id) + " is longer than a chunk can be");
        return;
    }
    PutU32(&out_[chunk.start + 2], static_cast<uint32_t>(length) | (chunk.hasChunks ? kContainerBit : 0));
}

IOResult ChunkWriter::Write(const void* buf, ULONG nbytes, ULONG* nwrit) {
    if (nwrit) *nwrit = 0;
    if (open_.empty()) {
        Fail("data written outside any chunk");
        return IO_ERROR;
    }
    if (open_.back().hasChunks) {
        Fail("chunk " + ChunkIdText(open_.back().id) + " holds both chunks and data");
        return IO_ERROR;
    }
    open_.back().hasData = true;
    const size_t before = out_.size();
    const bool complete = Emit(static_cast<const unsigned char*>(buf), nbytes);
    if (nwrit) *nwrit = static_cast<ULONG>(out_.size() - before);
    return complete ? IO_OK : IO_ERROR;
}

IOResult ChunkWriter::WriteWString(const wchar_t* str) {
    std::vector<uint16_t> units = ToUtf16(str ? str : L"");
    units.push_back(0);
    std::vector<unsigned char> bytes(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) PutU16(&bytes[2 * i], units[i]);
    ULONG written = 0;
    const auto size = static_cast<ULONG>(bytes.size());
    return Write(bytes.data(), size, &written) == IO_OK && written == size ? IO_OK : IO_ERROR;
}

// Appends what fits under the limit; false, and failed, when not all did.
bool ChunkWriter::Emit(const unsigned char* bytes, size_t n) {
    if (Failed()) return false;
    const size_t room = limit_ > out_.size() ? limit_ - out_.size() : 0;
    out_.insert(out_.end(), bytes, bytes + std::min(n, room));
    if (n > room) {
        Fail("write failed after " + std::to_string(out_.size()) + " bytes");
        return false;
    }
    return true;
}

void ChunkWriter::Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
}

// ChunkReader ----------------------------------------------------------------

ChunkReader::ChunkReader(const unsigned char* data, size_t size, size_t offset)
    : data_(data), size_(size), offset_(offset) {}

void ChunkReader::Restart(const unsigned char* data, size_t size, size_t offset) {
    data_ = data;
    size_ = size;
    offset_ = offset;
    pos_ = 0;
}

size_t ChunkReader::Remaining() const { return LevelEnd() - pos_; }

IOResult ChunkReader::OpenChunk() {
    if (Failed()) return IO_ERROR;
    const size_t remaining = Remaining();
    if (remaining == 0) return IO_END;
    if (!InContainer()) return Fail("chunk " + ChunkIdText(CurChunkID()) + " holds data, not chunks");
    if (remaining < kChunkHeaderSize) return Fail("truncated chunk header at offset " + std::to_string(offset_ + pos_));
    const ChunkHeader header = DecodeChunkHeader(data_ + pos_);
    const std::string problem = ChunkLengthProblem(header, offset_ + pos_, remaining);
    if (!problem.empty()) return Fail(problem);
    open_.push_back(Frame{header.id, pos_ + header.length, header.holdsChunks});
    pos_ += kChunkHeaderSize;
    return IO_OK;
}

USHORT ChunkReader::CurChunkID() { return open_.empty() ? 0 : open_.back().id; }

IOResult ChunkReader::CloseChunk() {
    if (Depth() <= floor_) return Fail("CloseChunk without an open chunk");
    pos_ = open_.back().end;
    open_.pop_back();
    return Failed() ? IO_ERROR : IO_OK;
}

IOResult ChunkReader::Read(void* buf, ULONG nbytes, ULONG* nread) {
    if (nread) *nread = 0;
    if (Failed()) return IO_ERROR;
    if (InContainer()) return Fail("data read where chunks are");
    const size_t n = std::min<size_t>(nbytes, Remaining());
    std::copy(data_ + pos_, data_ + pos_ + n, static_cast<unsigned char*>(buf));
    pos_ += n;
    if (nread) *nread = static_cast<ULONG>(n);
    if (n < nbytes) return Fail("read past the end of chunk " + ChunkIdText(CurChunkID()));
    return IO_OK;
}

IOResult ChunkReader::ReadWStringChunk(wchar_t** buf) {
    *buf = nullptr;
    if (Failed()) return IO_ERROR;
    if (InContainer()) return Fail("string read where chunks are");
    const size_t n = Remaining();
    if (n < 2 || n % 2 != 0 || GetU16(data_ + pos_ + n - 2) != 0)
        return Fail("chunk " + ChunkIdText(CurChunkID()) + " holds no terminated UTF-16 string");
    std::vector<uint16_t> units;
    for (size_t i = 0; i + 2 < n; i += 2) {
        const uint16_t u = GetU16(data_ + pos_ + i);
        if (u == 0) break;
        units.push_back(u);
    }
    pos_ += n;
    strings_.push_back(FromUtf16(units));
    *buf = &strings_.back()[0];
    return IO_OK;
}

IOResult ChunkReader::Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return IO_ERROR;
}

}  // namespace standin
