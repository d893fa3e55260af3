// The 6-byte header in front of every chunk: its id, then its length, which
// counts the header, with the top bit set when the chunk holds further chunks
// rather than data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "le_io.h"

namespace standin {

inline constexpr size_t kChunkHeaderSize = 6;
inline constexpr uint32_t kContainerBit = 0x80000000u;
inline constexpr uint32_t kLengthMask = 0x7fffffffu;

struct ChunkHeader {
    USHORT id;
    size_t length;
    bool holdsChunks;
};

inline ChunkHeader DecodeChunkHeader(const unsigned char* bytes) {
    const uint32_t raw = GetU32(bytes + 2);
    return {GetU16(bytes), raw & kLengthMask, (raw & kContainerBit) != 0};
}

inline std::string ChunkIdText(unsigned id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", id);
    return text;
}

// Why a chunk found at `offset`, with `room` bytes left for it, cannot be
// read; empty when it can.
inline std::string ChunkLengthProblem(const ChunkHeader& header, size_t offset, size_t room) {
    if (header.length >= kChunkHeaderSize && header.length <= room) return {};
    return "chunk " + ChunkIdText(header.id) + " at offset " + std::to_string(offset) + " claims " +
           std::to_string(header.length) + " bytes where " + std::to_string(room) + " remain";
}

}  // namespace standin
