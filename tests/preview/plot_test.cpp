#include "render/plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace aurivel::preview {
namespace {

bool IsPaper(const Rgb& p) { return p.r == 1.0f && p.g == 1.0f && p.b == 1.0f; }

TEST(PlotGeometryTest, AnglesSpanHeadOnToGrazing) {
    const std::vector<double> angles = PlotAngles(181);
    ASSERT_EQ(angles.size(), 181u);
    EXPECT_EQ(angles.front(), 0.0);
    EXPECT_EQ(angles[90], 45.0);
    EXPECT_EQ(angles.back(), 90.0);
}

TEST(PlotGeometryTest, ViewAngleSetsTheCosineBetweenNormalAndView) {
    for (double degrees : {0.0, 30.0, 60.0, 89.0}) {
        const SphereSample s = SampleAtViewAngle(degrees);
        const double cosine = -(s.normal.x * s.view.x + s.normal.y * s.view.y + s.normal.z * s.view.z);
        EXPECT_NEAR(cosine, std::cos(degrees * M_PI / 180.0), 1e-7) << degrees;
    }
    EXPECT_EQ(SampleAtViewAngle(0.0).view.z, -1.0f);
    EXPECT_NEAR(SampleAtViewAngle(90.0).view.z, 0.0f, 1e-7f);
}

TEST(PolylineTest, DashedLineLeavesGapsThatSolidOneFills) {
    Image solid(100, 5, {1.0f, 1.0f, 1.0f});
    Image dashed(100, 5, {1.0f, 1.0f, 1.0f});
    DrawPolyline(solid, {{0.0, 2.5}, {100.0, 2.5}}, {0.0f, 0.0f, 0.0f}, 2.0, 0.0);
    DrawPolyline(dashed, {{0.0, 2.5}, {100.0, 2.5}}, {0.0f, 0.0f, 0.0f}, 2.0, 7.0);
    int solidInk = 0;
    int dashGaps = 0;
    for (int x = 0; x < 100; ++x) {
        solidInk += solid.At(x, 2).r < 0.5f;
        dashGaps += x > 0 && dashed.At(x - 1, 2).r < 0.5f && IsPaper(dashed.At(x, 2));
        EXPECT_TRUE(IsPaper(solid.At(x, 0)));  // a 2-pixel pen stays within its rows
    }
    EXPECT_EQ(solidInk, 100);
    // A period of 14 pixels over 100: six or seven dashes end in a gap.
    EXPECT_GE(dashGaps, 6);
    EXPECT_LE(dashGaps, 7);
}

// The first and last rows of a column where a pure red and a pure blue
// curve are drawn.
std::pair<int, int> RedAndBlueRows(const Image& plot) {
    int redRow = -1;
    int blueRow = -1;
    const int x = plot.Width() / 3;  // inside the axes, away from the legend
    for (int y = 0; y < plot.Height(); ++y) {
        const Rgb p = plot.At(x, y);
        if (p.r > 0.9f && p.g < 0.1f && redRow < 0) {
            redRow = y;
        }
        if (p.b > 0.9f && p.r < 0.1f) {
            blueRow = y;
        }
    }
    return {redRow, blueRow};
}

// Rows from top to bottom of the band above the axes with ink in them, and
// whether any ink touches the picture's left or right edge there.
std::pair<std::vector<bool>, bool> TitleInk(const Image& plot) {
    std::vector<bool> rows;
    bool atTheEdge = false;
    for (int y = 0; y < 38; ++y) {
        bool ink = false;
        for (int x = 100; x < plot.Width(); ++x) {  // right of the axis's label
            ink = ink || plot.At(x, y).r < 0.5f;
        }
        rows.push_back(ink);
        atTheEdge = atTheEdge || plot.At(plot.Width() - 1, y).r < 0.5f || plot.At(0, y).r < 0.5f;
    }
    return {rows, atTheEdge};
}

TEST(ReflectancePlotTest, ATitleTooWideForOneLineTakesTwo) {
    const Font font = Font::FindDejaVuSans(14);
    const std::wstring values = L"n = 0.28827098 0.50323105 1.3701996   k = 3.1428316 2.3698225 1.9502153";
    for (const std::wstring& title : {L"Copper:  " + values, L"main/Au/Johnson, fitted for ACEScg:  " + values}) {
        const auto [rows, atTheEdge] = TitleInk(DrawReflectancePlot({}, title, font));
        const bool twoLines = font.TextWidth(title) > 780;
        EXPECT_FALSE(atTheEdge) << (twoLines ? "two lines" : "one line");
        // A second line of text ink below the first one's descenders.
        EXPECT_EQ(std::find(rows.begin() + 28, rows.end(), true) != rows.end(), twoLines);
    }
}

TEST(ReflectancePlotTest, CurvesAreDrawnHighForHighReflectance) {
    const Font font = Font::FindDejaVuSans(14);
    // A pure red curve at reflectance 1 and a pure blue one at 0.
    const PlotCurve top{L"one", {1.0f, 0.0f, 0.0f}, false, std::vector<float>(91, 1.0f)};
    const PlotCurve bottom{L"zero", {0.0f, 0.0f, 1.0f}, true, std::vector<float>(91, 0.0f)};
    const auto [redRow, blueRow] = RedAndBlueRows(DrawReflectancePlot({top, bottom}, L"Test", font));
    ASSERT_GE(redRow, 0);
    const int height = DrawReflectancePlot({}, L"", font).Height();
    EXPECT_LT(redRow, height / 3);
    EXPECT_GT(blueRow, height * 2 / 3);

    // A curve above 1 raises the axis instead of running into the title.
    const PlotCurve above{L"above", {1.0f, 0.0f, 0.0f}, false, std::vector<float>(91, 1.1f)};
    const auto [aboveRow, zeroRow] = RedAndBlueRows(DrawReflectancePlot({above, bottom}, L"", font));
    EXPECT_GE(aboveRow, redRow - 2);
    EXPECT_EQ(zeroRow, blueRow);
}

}  // namespace
}  // namespace aurivel::preview
