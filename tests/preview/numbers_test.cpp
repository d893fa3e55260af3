#include "base/numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <regex>

#include "host/maxscript.h"

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

// MAXScript's number literals: digits, then a fractional part, which an
// exponent may follow; an exponent without a fractional part is no literal.
TEST(NumbersTest, MaxScriptNumbersAreLiteralsThatReadBackExactly) {
    const std::regex literal("-?[0-9]+(\\.[0-9]+([eE][-+]?[0-9]+)?)?");
    const float values[] = {std::numeric_limits<float>::denorm_min(),
                            1e-40f,
                            std::numeric_limits<float>::min(),
                            1e-7f,
                            2e-5f,
                            0.05f,
                            0.27105f,
                            0.0f,
                            1.0f,
                            2.0f,
                            10.0f,
                            100.0f,
                            180.0f,
                            255.0f,
                            1e6f,
                            16777216.0f,
                            123456789.0f,
                            1e30f,
                            std::numeric_limits<float>::max()};
    for (const float magnitude : values) {
        for (const float v : {magnitude, -magnitude}) {
            const std::string text = MaxScriptNumber(v);
            EXPECT_TRUE(std::regex_match(text, literal)) << text;
            EXPECT_EQ(ParseNumber<float>(text), v) << text;
        }
    }
    EXPECT_EQ(MaxScriptNumber(2e-5f), "2.0e-5");
    EXPECT_EQ(MaxScriptNumber(-1e30f), "-1.0e30");
    EXPECT_EQ(MaxScriptNumber(0.05f), "0.05");
    EXPECT_EQ(MaxScriptNumber(-180.0f), "-180");
}

}  // namespace
}  // namespace aurivel::preview
