#include "render/png_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "base/errors.h"
#include "png_reader.h"

namespace aurivel::preview {
namespace {

TEST(SrgbTest, TransferFunctionMatchesTheStandard) {
    EXPECT_DOUBLE_EQ(SrgbFromLinear(0.0), 0.0);
    EXPECT_DOUBLE_EQ(SrgbFromLinear(1.0), 1.0);
    EXPECT_DOUBLE_EQ(SrgbFromLinear(0.002), 0.02584);
    EXPECT_NEAR(SrgbFromLinear(0.5), 0.7353569830524495, 1e-15);
    // The linear and the power segments meet at the break point.
    EXPECT_NEAR(SrgbFromLinear(0.0031308), SrgbFromLinear(std::nextafter(0.0031308, 1.0)), 1e-7);
}

struct EncodeCase {
    float linear;
    int srgb8;
    int linear16;
};

TEST(SrgbTest, EncodesRoundToNearestAndClamp) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const EncodeCase c : {EncodeCase{0.0f, 0, 0}, EncodeCase{1.0f, 255, 65535}, EncodeCase{0.5f, 188, 32768},
                               EncodeCase{0.18f, 118, 11796}, EncodeCase{0.92595214f, 247, 60682},
                               EncodeCase{-0.25f, 0, 0}, EncodeCase{1.5f, 255, 65535}, EncodeCase{nan, 0, 0}}) {
        EXPECT_EQ(EncodeSrgb8(c.linear), c.srgb8) << c.linear;
        EXPECT_EQ(EncodeLinear16(c.linear), c.linear16) << c.linear;
    }
}

class PngFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (std::filesystem::temp_directory_path() / name).string(); }

    static Image Gradient() {
        Image image(4, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                image.At(x, y) = {x / 3.0f, y / 2.0f, 0.25f};
            }
        }
        return image;
    }
};

TEST_F(PngFileTest, SixteenBitFileHoldsTheLinearValues) {
    const Image image = Gradient();
    const std::string path = Path("aurivel_png_writer_16.png");
    WritePng(image, path, PngEncoding::kLinear16);
    const test_support::PngPixels read = test_support::ReadPng(path);
    ASSERT_EQ(read.width, 4);
    ASSERT_EQ(read.height, 3);
    EXPECT_EQ(read.bitDepth, 16);
    EXPECT_FALSE(read.hasSrgbChunk);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(read.Sample(x, y, 0), EncodeLinear16(image.At(x, y).r));
            EXPECT_EQ(read.Sample(x, y, 1), EncodeLinear16(image.At(x, y).g));
            EXPECT_EQ(read.Sample(x, y, 2), EncodeLinear16(image.At(x, y).b));
        }
    }
}

TEST_F(PngFileTest, EightBitFileIsTaggedSrgbAndEncoded) {
    const Image image = Gradient();
    const std::string path = Path("aurivel_png_writer_8.png");
    WritePng(image, path, PngEncoding::kSrgb8);
    const test_support::PngPixels read = test_support::ReadPng(path);
    ASSERT_EQ(read.width, 4);
    EXPECT_EQ(read.bitDepth, 8);
    EXPECT_TRUE(read.hasSrgbChunk);
    EXPECT_EQ(read.Sample(3, 2, 0), 255);
    EXPECT_EQ(read.Sample(1, 1, 0), EncodeSrgb8(1.0f / 3.0f));
    EXPECT_EQ(read.Sample(1, 1, 1), EncodeSrgb8(0.5f));
    EXPECT_EQ(read.Sample(0, 0, 2), EncodeSrgb8(0.25f));
}

TEST_F(PngFileTest, UnwritablePathIsReportedWithItsName) {
    const std::string path = "/nonexistent-directory/out.png";
    try {
        WritePng(Gradient(), path, PngEncoding::kSrgb8);
        FAIL() << "no error";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace aurivel::preview
