#include "base/wide_text.h"

#include <gtest/gtest.h>

namespace aurivel::preview {
namespace {

TEST(WideTextTest, ControlBytesArePrintedAsEscapes) {
    EXPECT_EQ(PrintableText("a\x07"
                            "b\x1B[31m\n\t\x7F"),
              "a\\x07b\\x1B[31m\\x0A\\x09\\x7F");
    const struct {
        const char* text;
        const char* printed;
    } utf8[] = {
        {"0.4 \xC2\xB5m Schr\xC3\xB6ter \xE2\x80\x93 \xF0\x9F\x98\x80", nullptr},  // valid UTF-8 stays
        {"\xFF", "\\xFF"},                                                         // never in UTF-8
        {"Schr\xF6ter", "Schr\\xF6ter"},                                           // Latin-1
        {"\xC3", "\\xC3"},                                                         // cut short
        {"\xC0\xAF", "\\xC0\\xAF"},                                                // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                                       // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},                              // above U+10FFFF
        {"\xC2\x9B"
         "2J",
         "\\xC2\\x9B"
         "2J"},  // a C1 control (CSI)
    };
    for (const auto& c : utf8) {
        EXPECT_EQ(PrintableText(c.text), c.printed ? c.printed : c.text) << c.text;
    }
}

TEST(WideTextTest, NamesMatchInAnyCaseButWhole) {
    EXPECT_TRUE(SameNameIgnoringCase(L"Aluminium", "aluminium"));
    EXPECT_TRUE(SameNameIgnoringCase(L"Aluminium", "ALUMINIUM"));
    EXPECT_FALSE(SameNameIgnoringCase(L"Aluminium", "alumin"));
    EXPECT_FALSE(SameNameIgnoringCase(L"Gold", "golden"));
    EXPECT_FALSE(SameNameIgnoringCase(L"Gold", ""));
}

}  // namespace
}  // namespace aurivel::preview
