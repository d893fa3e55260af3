// The test's PNG codec against published check values and itself.
#include <gtest/gtest.h>

#include <cstring>

#include "png_file.h"

namespace {

using wine_test::RgbImage;

const uint8_t* Bytes(const char* text) { return reinterpret_cast<const uint8_t*>(text); }

TEST(PngChecksums, MatchTheirStandardCheckValues) {
    EXPECT_EQ(wine_test::Crc32(Bytes("123456789"), 9), 0xCBF43926u);
    EXPECT_EQ(wine_test::Crc32(Bytes("IEND"), 4), 0xAE426082u);
    EXPECT_EQ(wine_test::Adler32(Bytes("Wikipedia"), 9), 0x11E60398u);
    EXPECT_EQ(wine_test::Adler32(nullptr, 0), 1u);
}

RgbImage Gradient(int width, int height) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.rgb.insert(image.rgb.end(),
                             {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y)});
    }
    return image;
}

TEST(PngFile, StartsWithTheSignatureAndHeader) {
    const std::vector<uint8_t> png = wine_test::EncodePng(Gradient(3, 2));
    const uint8_t start[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                             'R',  0,   0,   0,   3,    0,    0,    0,    2, 8, 2, 0,  0,   0};
    ASSERT_GE(png.size(), sizeof start);
    EXPECT_EQ(std::memcmp(png.data(), start, sizeof start), 0);
    const uint8_t end[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    EXPECT_EQ(std::memcmp(png.data() + png.size() - sizeof end, end, sizeof end), 0);
}

// 200 x 120 pixels make 72120 bytes of scanlines: two stored blocks.
TEST(PngFile, ReadsBackWhatItWrote) {
    for (const RgbImage& image : {Gradient(1, 1), Gradient(7, 3), Gradient(200, 120)}) {
        const auto decoded = wine_test::DecodePng(wine_test::EncodePng(image));
        ASSERT_TRUE(decoded) << image.width;
        EXPECT_EQ(decoded->width, image.width);
        EXPECT_EQ(decoded->height, image.height);
        EXPECT_EQ(decoded->rgb, image.rgb);
    }
}

TEST(PngFile, RefusesDamagedFiles) {
    const std::vector<uint8_t> png = wine_test::EncodePng(Gradient(7, 3));
    for (size_t at : {size_t{0}, size_t{20}, size_t{45}, png.size() - 20}) {
        std::vector<uint8_t> damaged = png;
        damaged[at] ^= 0x10;
        EXPECT_FALSE(wine_test::DecodePng(damaged)) << at;
    }
    EXPECT_FALSE(wine_test::DecodePng(std::vector<uint8_t>(png.begin(), png.end() - 5)));
}

}  // namespace
