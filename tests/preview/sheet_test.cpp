#include "render/sheet.h"

#include <gtest/gtest.h>

namespace aurivel::preview {
namespace {

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(SheetLayoutTest, TenTilesFitWithoutOverlapInTwoRows) {
    const SheetLayout layout(10, 101);
    EXPECT_EQ(layout.Columns(), 5);
    std::vector<Rect> rects;
    for (int tile = 0; tile < 10; ++tile) {
        const Rect slot = layout.Slot(tile);
        const Rect label = layout.Label(tile);
        EXPECT_EQ(slot.width, 101);
        EXPECT_EQ(slot.height, 101);
        EXPECT_EQ(label.top, slot.top + slot.height);  // the name sits right under its sphere
        EXPECT_EQ(label.left, slot.left);
        for (const Rect& r : {slot, label}) {
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.left + r.width, layout.Width());
            EXPECT_LE(r.top + r.height, layout.Height());
            for (const Rect& other : rects) {
                EXPECT_FALSE(Overlap(r, other)) << "tile " << tile;
            }
            rects.push_back(r);
        }
    }
}

TEST(SheetLayoutTest, LabelHoldsCentredText) {
    const Font font = Font::FindDejaVuSans(LabelTextHeight(101));
    const Rect strip{10, 5, 101, SheetLayout::LabelHeight(101)};
    Image image(130, 40, {0.5f, 0.5f, 0.5f});
    DrawLabel(image, strip, L"Aluminium", font);
    int inkLeft = image.Width();
    int inkRight = -1;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const bool insideStrip =
                x >= strip.left && x < strip.left + strip.width && y >= strip.top && y < strip.top + strip.height;
            const float r = image.At(x, y).r;
            if (!insideStrip) {
                ASSERT_EQ(r, 0.5f) << x << "," << y;
            } else if (r > kLabelBackground.r) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
    }
    ASSERT_GE(inkRight, 0) << "no text drawn";
    const int marginLeft = inkLeft - strip.left;
    const int marginRight = strip.left + strip.width - 1 - inkRight;
    EXPECT_NEAR(marginLeft, marginRight, 3);
}

}  // namespace
}  // namespace aurivel::preview
