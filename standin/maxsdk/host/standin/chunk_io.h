// The host's chunk writer and reader over memory. Both report the first
// fault they meet and stay failed afterwards, so a caller can check once at
// the end of a whole save or load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "standin/unimplemented.h"
#include "coreexp.h"
#include "ioapi.h"

namespace standin {

class CoreExport ChunkWriter : public standin::Unimplemented<ISave> {
public:
    // Appends to out; a write that would take out past `limit` bytes fails
    // (fault injection for tests).
    explicit ChunkWriter(std::vector<unsigned char>& out, size_t limit = SIZE_MAX);

    void BeginChunk(USHORT id) override;
    void EndChunk() override;
    IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) override;
    using Unimplemented::WriteWString;
    IOResult WriteWString(const wchar_t* str) override;

    int Depth() const { return static_cast<int>(open_.size()); }
    // EndChunk may not close chunks at or below this depth.
    void SetFloor(int depth) { floor_ = depth; }
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    struct Frame {
        size_t start;
        USHORT id;
        bool hasChunks;
        bool hasData;
    };

    bool Emit(const unsigned char* bytes, size_t n);
    void Fail(const std::string& message);

    std::vector<unsigned char>& out_;
    size_t limit_;
    std::vector<Frame> open_;
    int floor_ = 0;
    std::string error_;
};

class CoreExport ChunkReader : public standin::Unimplemented<ILoad> {
public:
    // data must stay valid until the reader is restarted or ends. Messages
    // give offsets from `offset`, where data starts in its file.
    ChunkReader(const unsigned char* data, size_t size, size_t offset = 0);

    // Goes on with other data, of a file read piece by piece; the strings
    // read so far stay valid. Only between chunks.
    void Restart(const unsigned char* data, size_t size, size_t offset);

    IOResult OpenChunk() override;
    USHORT CurChunkID() override;
    IOResult CloseChunk() override;
    IOResult Read(void* buf, ULONG nbytes, ULONG* nread) override;
    using Unimplemented::ReadWStringChunk;
    IOResult ReadWStringChunk(wchar_t** buf) override;

    int Depth() const { return static_cast<int>(open_.size()); }
    // Whether the current chunk (or the input at depth 0) holds chunks
    // rather than data.
    bool HoldsChunks() const { return InContainer(); }
    // CloseChunk may not close chunks at or below this depth.
    void SetFloor(int depth) { floor_ = depth; }
    // Bytes left in the current chunk (or the whole input at depth 0).
    size_t Remaining() const;
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    struct Frame {
        USHORT id;
        size_t end;
        bool container;
    };

    IOResult Fail(const std::string& message);
    bool InContainer() const { return open_.empty() || open_.back().container; }
    size_t LevelEnd() const { return open_.empty() ? size_ : open_.back().end; }

    const unsigned char* data_;
    size_t size_;
    size_t offset_;
    size_t pos_ = 0;
    std::vector<Frame> open_;
    int floor_ = 0;
    std::string error_;
    std::deque<std::wstring> strings_;
};

}  // namespace standin
