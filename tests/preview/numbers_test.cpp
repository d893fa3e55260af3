#include "cli/numbers.h"

#include <gtest/gtest.h>

namespace aurivel::preview {
namespace {

TEST(NumbersTest, ParsesOnlyTheWholeText) {
    EXPECT_EQ(ParseNumber<int>("-160"), -160);
    EXPECT_EQ(ParseNumber<double>("0.475"), 0.475);
    EXPECT_EQ(ParseNumber<float>("1e-3"), 0.001f);
    for (const char* bad : {"", " 1", "1 ", "1x", "0x10", "+1"}) {
        EXPECT_FALSE(ParseNumber<double>(bad).has_value()) << bad;
    }
    EXPECT_FALSE(ParseNumber<int>("1.5").has_value());
    EXPECT_FALSE(ParseNumber<int>("99999999999").has_value());
    EXPECT_FALSE(ParseNumber<float>("1e99").has_value());
    for (const char* nan : {"nan", "NaN", "-nan", "NAN", "nan(123)", "-nan(0x1)"}) {
        EXPECT_FALSE(ParseNumber<float>(nan).has_value()) << nan;
        EXPECT_FALSE(ParseNumber<double>(nan).has_value()) << nan;
    }
}

TEST(NumbersTest, ShortestDecimalReadsBackExactly) {
    EXPECT_EQ(ShortestDecimal(0.27105f), "0.27105");
    EXPECT_EQ(ShortestDecimal(0.05f), "0.05");
    EXPECT_EQ(ShortestDecimal(-180.0f), "-180");
    for (float v : {0.1f, 1.0f / 3.0f, 0.92595214f, 3.6092f}) {
        EXPECT_EQ(ParseNumber<float>(ShortestDecimal(v)), v);
    }
}

}  // namespace
}  // namespace aurivel::preview
