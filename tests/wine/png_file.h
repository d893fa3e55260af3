// A minimal PNG codec for pictures taken by the tests: 8-bit RGB, no
// interlace, every row unfiltered and the image data in stored (uncompressed)
// deflate blocks. No PNG library is built for the Windows side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wine_test {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel

    const uint8_t* Pixel(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

std::vector<uint8_t> EncodePng(const RgbImage& image);
// The image of a PNG that EncodePng's subset describes, or nothing when the
// bytes are not such a PNG or a checksum does not match.
std::optional<RgbImage> DecodePng(const std::vector<uint8_t>& png);

bool WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> ReadFile(const std::wstring& path);

}  // namespace wine_test
