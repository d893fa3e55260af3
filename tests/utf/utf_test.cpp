#include "utf.h"

#include <gtest/gtest.h>

namespace aurivel::utf {
namespace {

TEST(UtfTest, EncodesEveryUtf8Length) {
    EXPECT_EQ(Utf8FromWide(L"Gold"), "Gold");
    EXPECT_EQ(Utf8FromWide(L"0.650 \u00b5m"), "0.650 \xc2\xb5m");
    EXPECT_EQ(Utf8FromWide(L"\u00b1\u00b0"), "\xc2\xb1\xc2\xb0");
    EXPECT_EQ(Utf8FromWide(L"\u20ac"), "\xe2\x82\xac");
    EXPECT_EQ(Utf8FromWide(L"\U0001F600"), "\xf0\x9f\x98\x80");
}

TEST(UtfTest, DecodesWhatItEncodes) {
    for (const std::wstring text : {L"", L"/tmp/Aurivel.dlt", L"\u00b5\u00b1", L"\u20ac", L"\U0001F600 x"}) {
        EXPECT_EQ(WideFromUtf8(Utf8FromWide(text)), text);
    }
}

TEST(UtfTest, InvalidBytesAreKeptAsLatin1) {
    EXPECT_EQ(WideFromUtf8("a\xb5z"), L"a\u00b5z");
    EXPECT_EQ(WideFromUtf8("\xe2\x82"), L"\u00e2\u0082");  // cut short
}

}  // namespace
}  // namespace aurivel::utf
