#include "cli/wide_text.h"

#include <gtest/gtest.h>

namespace aurivel::preview {
namespace {

TEST(WideTextTest, ControlBytesArePrintedAsEscapes) {
    EXPECT_EQ(PrintableText("a\x07"
                            "b\x1B[31m\n\t\x7F"),
              "a\\x07b\\x1B[31m\\x0A\\x09\\x7F");
    EXPECT_EQ(PrintableText("0.4 \xC2\xB5m \xFF"), "0.4 \xC2\xB5m \xFF");  // UTF-8 and other bytes stay
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
