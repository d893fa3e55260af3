// The chunk writer and reader: layout, nesting, strings, and every kind of
// damaged input.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "standin/chunk_io.h"

using standin::ChunkReader;
using standin::ChunkWriter;

namespace {

void WriteData(ISave& s, USHORT id, std::vector<unsigned char> data) {
    s.BeginChunk(id);
    ULONG written = 0;
    s.Write(data.data(), static_cast<ULONG>(data.size()), &written);
    s.EndChunk();
}

// A small tree: containers three deep, an empty chunk, data and a string.
std::vector<unsigned char> SampleTree(size_t limit = SIZE_MAX, std::string* error = nullptr) {
    std::vector<unsigned char> bytes;
    ChunkWriter w(bytes, limit);
    w.BeginChunk(0x0100);
    WriteData(w, 0x0001, {1, 2, 3});
    w.BeginChunk(0x0200);
    w.BeginChunk(0x0300);
    WriteData(w, 0x0002, {4});
    w.EndChunk();
    w.BeginChunk(0x0003);  // empty
    w.EndChunk();
    w.EndChunk();
    w.BeginChunk(0x0004);
    w.WriteWString(L"Gr\u00fcn \U0001F600");
    w.EndChunk();
    w.EndChunk();
    if (error) *error = w.Error();
    return bytes;
}

// Reads any chunk stream down to its leaves; false when the reader failed.
// Bounded by the input, as every open consumes a header.
bool Walk(ChunkReader& r, int& chunks) {
    IOResult result;
    while ((result = r.OpenChunk()) == IO_OK) {
        ++chunks;
        if (r.HoldsChunks() && !Walk(r, chunks)) return false;
        if (r.CloseChunk() != IO_OK) return false;
    }
    return result == IO_END;
}

TEST(ChunkWriter, LaysOutHeaderLengthAndContainerBit) {
    std::vector<unsigned char> bytes;
    ChunkWriter w(bytes);
    w.BeginChunk(0xabcd);
    WriteData(w, 0x1234, {7, 8, 9});
    w.EndChunk();
    const std::vector<unsigned char> expected = {0xcd, 0xab, 15, 0, 0, 0x80,  // container, 15 bytes
                                                 0x34, 0x12, 9,  0, 0, 0,     // data, 9 bytes
                                                 7,    8,    9};
    EXPECT_EQ(bytes, expected);
    EXPECT_FALSE(w.Failed());
}

TEST(ChunkIO, NestedChunksRoundTrip) {
    const std::vector<unsigned char> bytes = SampleTree();
    ChunkReader r(bytes.data(), bytes.size());
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0100);

    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0001);
    unsigned char data[3] = {};
    ULONG read = 0;
    EXPECT_EQ(r.Read(data, 3, &read), IO_OK);
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(data[2], 3);
    EXPECT_EQ(r.CloseChunk(), IO_OK);

    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0200);
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0300);
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0002);
    EXPECT_EQ(r.CloseChunk(), IO_OK);  // unread data is skipped
    EXPECT_EQ(r.OpenChunk(), IO_END);
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0003);
    EXPECT_EQ(r.OpenChunk(), IO_END) << "an empty chunk holds nothing";
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.OpenChunk(), IO_END);
    EXPECT_EQ(r.CloseChunk(), IO_OK);

    ASSERT_EQ(r.OpenChunk(), IO_OK);
    MCHAR* text = nullptr;
    EXPECT_EQ(r.ReadWStringChunk(&text), IO_OK);
    EXPECT_STREQ(text, L"Gr\u00fcn \U0001F600");
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.OpenChunk(), IO_END);
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.OpenChunk(), IO_END);
    EXPECT_FALSE(r.Failed()) << r.Error();
}

TEST(ChunkIO, StringsAreUtf16OnDisk) {
    std::vector<unsigned char> bytes;
    ChunkWriter w(bytes);
    w.BeginChunk(1);
    w.WriteWString(L"\U0001F600");
    w.EndChunk();
    const std::vector<unsigned char> payload(bytes.begin() + 6, bytes.end());
    EXPECT_EQ(payload, (std::vector<unsigned char>{0x3d, 0xd8, 0x00, 0xde, 0, 0}));
}

TEST(ChunkWriter, RefusesMisuse) {
    struct Case {
        const char* what;
        void (*misuse)(ChunkWriter&);
    };
    const Case cases[] = {
        {"data outside any chunk",
         [](ChunkWriter& w) {
             ULONG n = 0;
             EXPECT_EQ(w.Write("x", 1, &n), IO_ERROR);
         }},
        {"data after chunks",
         [](ChunkWriter& w) {
             w.BeginChunk(1);
             w.BeginChunk(2);
             w.EndChunk();
             ULONG n = 0;
             EXPECT_EQ(w.Write("x", 1, &n), IO_ERROR);
         }},
        {"chunks after data",
         [](ChunkWriter& w) {
             w.BeginChunk(1);
             ULONG n = 0;
             w.Write("x", 1, &n);
             w.BeginChunk(2);
         }},
        {"EndChunk without BeginChunk", [](ChunkWriter& w) { w.EndChunk(); }},
        {"EndChunk below the floor",
         [](ChunkWriter& w) {
             w.BeginChunk(1);
             w.SetFloor(1);
             w.EndChunk();
         }},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes;
        ChunkWriter w(bytes);
        c.misuse(w);
        EXPECT_TRUE(w.Failed()) << c.what;
        EXPECT_FALSE(w.Error().empty()) << c.what;
    }
}

TEST(ChunkWriter, FailsAtEveryLimitBelowTheFullSize) {
    const size_t full = SampleTree().size();
    for (size_t limit = 0; limit < full; ++limit) {
        std::string error;
        const std::vector<unsigned char> bytes = SampleTree(limit, &error);
        EXPECT_FALSE(error.empty()) << "limit " << limit;
        EXPECT_LE(bytes.size(), limit);
    }
    std::string error;
    EXPECT_EQ(SampleTree(full, &error), SampleTree());
    EXPECT_TRUE(error.empty());
}

TEST(ChunkReader, RefusesMisuse) {
    const std::vector<unsigned char> bytes = SampleTree();
    {
        ChunkReader r(bytes.data(), bytes.size());
        EXPECT_EQ(r.CloseChunk(), IO_ERROR) << "nothing open";
    }
    {
        ChunkReader r(bytes.data(), bytes.size());
        r.OpenChunk();
        unsigned char b = 0;
        ULONG n = 0;
        EXPECT_EQ(r.Read(&b, 1, &n), IO_ERROR) << "a container holds no data";
    }
    {
        ChunkReader r(bytes.data(), bytes.size());
        r.OpenChunk();
        r.OpenChunk();
        unsigned char data[8] = {};
        ULONG n = 0;
        EXPECT_EQ(r.Read(data, 8, &n), IO_ERROR) << "past the chunk's end";
        EXPECT_EQ(n, 3u);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.OpenChunk(), IO_ERROR) << "a failed reader stays failed";
    }
    {
        ChunkReader r(bytes.data(), bytes.size());
        r.OpenChunk();
        r.SetFloor(1);
        EXPECT_EQ(r.CloseChunk(), IO_ERROR) << "below the floor";
    }
}

TEST(ChunkReader, EveryTruncationFails) {
    const std::vector<unsigned char> bytes = SampleTree();
    for (size_t cut = 1; cut < bytes.size(); ++cut) {
        ChunkReader r(bytes.data(), cut);
        int chunks = 0;
        EXPECT_FALSE(Walk(r, chunks)) << "cut at " << cut;
        EXPECT_FALSE(r.Error().empty()) << "cut at " << cut;
    }
    ChunkReader whole(bytes.data(), bytes.size());
    int chunks = 0;
    EXPECT_TRUE(Walk(whole, chunks));
    EXPECT_EQ(chunks, 7);
}

TEST(ChunkReader, RandomCorruptionEndsInBoundedTime) {
    const std::vector<unsigned char> bytes = SampleTree();
    std::mt19937 random(20240611);
    int failures = 0;
    for (int trial = 0; trial < 5000; ++trial) {
        std::vector<unsigned char> damaged = bytes;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int f = 0; f < flips; ++f)
            damaged[random() % damaged.size()] ^= static_cast<unsigned char>(1u << (random() % 8));
        ChunkReader r(damaged.data(), damaged.size());
        int chunks = 0;
        const bool ok = Walk(r, chunks);
        EXPECT_EQ(ok, !r.Failed());
        EXPECT_LE(chunks, static_cast<int>(damaged.size() / 6));
        failures += ok ? 0 : 1;
    }
    EXPECT_GT(failures, 0);
}

}  // namespace
