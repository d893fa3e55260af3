#include "render/image.h"

#include <gtest/gtest.h>

namespace aurivel::preview {
namespace {

TEST(ImageTest, BlendMixesByCoverageAndClampsIt) {
    Image image(2, 1, {0.0f, 0.5f, 1.0f});
    image.Blend(0, 0, {1.0f, 1.0f, 0.0f}, 0.25f);
    EXPECT_FLOAT_EQ(image.At(0, 0).r, 0.25f);
    EXPECT_FLOAT_EQ(image.At(0, 0).g, 0.625f);
    EXPECT_FLOAT_EQ(image.At(0, 0).b, 0.75f);
    image.Blend(1, 0, {0.2f, 0.3f, 0.4f}, 7.0f);
    EXPECT_FLOAT_EQ(image.At(1, 0).r, 0.2f);
    EXPECT_FLOAT_EQ(image.At(1, 0).b, 0.4f);
}

TEST(ImageTest, DrawingOutsideTheRasterIsIgnored) {
    Image image(3, 3);
    image.Blend(-1, 0, {1.0f, 1.0f, 1.0f}, 1.0f);
    image.Blend(0, 3, {1.0f, 1.0f, 1.0f}, 1.0f);
    image.FillRect(2, 2, 10, 10, {1.0f, 0.0f, 0.0f});
    image.FillRect(-5, -5, 6, 6, {0.0f, 1.0f, 0.0f});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            const Rgb p = image.At(x, y);
            const bool red = x == 2 && y == 2;
            const bool green = x == 0 && y == 0;
            EXPECT_EQ(p.r, red ? 1.0f : 0.0f) << x << "," << y;
            EXPECT_EQ(p.g, green ? 1.0f : 0.0f) << x << "," << y;
            EXPECT_EQ(p.b, 0.0f);
        }
    }
}

}  // namespace
}  // namespace aurivel::preview
