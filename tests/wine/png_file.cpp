#include "png_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace wine_test {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kMaxStoredBlock = 65535;

std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetBigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(&out[typeAt], 4 + data.size()));
}

// Each row is preceded by its filter type, 0 (none).
std::vector<uint8_t> Scanlines(const RgbImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.rgb.begin() + y * rowBytes, image.rgb.begin() + (y + 1) * rowBytes);
    }
    return raw;
}

// A zlib stream of stored blocks: the header for deflate with a 32 KiB
// window, blocks of at most 65535 bytes, the Adler-32 of the data.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min(kMaxStoredBlock, data.size() - at);
        const bool last = at + length == data.size();
        out.push_back(last ? 1 : 0);
        const uint16_t len = static_cast<uint16_t>(length);
        const uint16_t nlen = static_cast<uint16_t>(~len);
        for (uint16_t v : {len, nlen}) {
            out.push_back(static_cast<uint8_t>(v & 0xFF));
            out.push_back(static_cast<uint8_t>(v >> 8));
        }
        out.insert(out.end(), data.begin() + at, data.begin() + at + length);
        at += length;
    } while (at < data.size());
    PutBigEndian32(out, Adler32(data.data(), data.size()));
    return out;
}

std::optional<std::vector<uint8_t>> InflateStored(const std::vector<uint8_t>& zlib) {
    if (zlib.size() < 6 || zlib[0] != 0x78 || (zlib[0] * 256 + zlib[1]) % 31 != 0) return std::nullopt;
    std::vector<uint8_t> data;
    size_t at = 2;
    bool last = false;
    while (!last) {
        if (at + 5 > zlib.size() || (zlib[at] & 0x06) != 0) return std::nullopt;  // stored blocks only
        last = (zlib[at] & 1) != 0;
        const size_t len = zlib[at + 1] | (zlib[at + 2] << 8);
        const size_t nlen = zlib[at + 3] | (zlib[at + 4] << 8);
        at += 5;
        if ((len ^ nlen) != 0xFFFF || at + len > zlib.size()) return std::nullopt;
        data.insert(data.end(), zlib.begin() + at, zlib.begin() + at + len);
        at += len;
    }
    if (at + 4 != zlib.size() || GetBigEndian32(&zlib[at]) != Adler32(data.data(), data.size())) return std::nullopt;
    return data;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
    constexpr uint32_t kModulus = 65521;
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
    std::vector<uint8_t> png(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    PutBigEndian32(header, static_cast<uint32_t>(image.width));
    PutBigEndian32(header, static_cast<uint32_t>(image.height));
    // 8 bits a sample, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(Scanlines(image)));
    PutChunk(png, "IEND", {});
    return png;
}

std::optional<RgbImage> DecodePng(const std::vector<uint8_t>& png) {
    if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0) return std::nullopt;
    RgbImage image;
    std::vector<uint8_t> zlib;
    bool ended = false;
    for (size_t at = 8; !ended;) {
        if (at + 12 > png.size()) return std::nullopt;
        const size_t length = GetBigEndian32(&png[at]);
        if (at + 12 + length > png.size()) return std::nullopt;
        const uint8_t* type = &png[at + 4];
        const uint8_t* data = type + 4;
        if (GetBigEndian32(data + length) != Crc32(type, 4 + length)) return std::nullopt;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            const uint8_t rgb8[5] = {8, 2, 0, 0, 0};
            if (length != 13 || std::memcmp(data + 8, rgb8, 5) != 0) return std::nullopt;
            image.width = static_cast<int>(GetBigEndian32(data));
            image.height = static_cast<int>(GetBigEndian32(data + 4));
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            zlib.insert(zlib.end(), data, data + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        at += 12 + length;
    }
    const std::optional<std::vector<uint8_t>> raw = InflateStored(zlib);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    if (!raw || raw->size() != (rowBytes + 1) * image.height) return std::nullopt;
    for (int y = 0; y < image.height; ++y) {
        const auto row = raw->begin() + y * (rowBytes + 1);
        if (*row != 0) return std::nullopt;
        image.rgb.insert(image.rgb.end(), row + 1, row + 1 + rowBytes);
    }
    return image;
}

bool WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::optional<std::vector<uint8_t>> ReadFile(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}

}  // namespace wine_test
