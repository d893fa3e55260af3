#include "utf/utf.h"

#include <gtest/gtest.h>

namespace aurivel::utf {
namespace {

constexpr bool kUtf16 = sizeof(wchar_t) == 2;

std::wstring Replacements(std::size_t count) { return std::wstring(count, L'\uFFFD'); }

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

// The first and last code points that each length of sequence may encode,
// on both sides of the surrogates and at the top of Unicode.
TEST(UtfTest, DecodesTheEdgesOfEachRange) {
    struct Case {
        const char* bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"\xc2\x80", L"\u0080"},         {"\xdf\xbf", L"\u07ff"},
        {"\xe0\xa0\x80", L"\u0800"},     {"\xed\x9f\xbf", L"\ud7ff"},
        {"\xee\x80\x80", L"\ue000"},     {"\xef\xbf\xbf", L"\uffff"},
        {"\xf0\x90\x80\x80", L"\U00010000"}, {"\xf4\x8f\xbf\xbf", L"\U0010FFFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(WideFromUtf8(c.bytes), c.text) << c.bytes;
}

// Ill-formed UTF-8: each maximal subpart (a lead byte with the continuation
// bytes that may follow it, or else one byte) becomes one U+FFFD, and the
// text after it is decoded as it stands.
TEST(UtfTest, IllFormedBytesBecomeReplacementCharacters) {
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring text;
    };
    const std::wstring r = Replacements(1);
    const Case cases[] = {
        {"overlong NUL", "a\xc0\x80z", L"a" + Replacements(2) + L"z"},
        {"overlong 2-byte", "\xc1\xbf", Replacements(2)},
        {"overlong 3-byte", "\xe0\x80\xaf", Replacements(3)},
        {"overlong 4-byte", "\xf0\x8f\xbf\xbf", Replacements(4)},
        {"lone high surrogate", "\xed\xa0\x80", Replacements(3)},
        {"lone low surrogate", "\xed\xbf\xbf", Replacements(3)},
        {"paired surrogates", "\xed\xa0\xbd\xed\xb8\x80", Replacements(6)},
        {"U+110000", "\xf4\x90\x80\x80", Replacements(4)},
        {"lead F5", "\xf5\x80\x80\x80", Replacements(4)},
        {"5-byte form", "\xf8\x88\x80\x80\x80", Replacements(5)},
        {"byte FF", "x\xffy", L"x" + r + L"y"},
        {"cut short at the end", "a\xe2\x82", L"a" + r},
        {"cut short by ASCII", "\xf0\x9f\x98z", r + L"z"},
        {"cut short by a sequence", "\xe2\x82\xc2\xb5", r + L"\u00b5"},
        {"lead alone", "\xc3", r},
        {"stray continuation bytes", "\x80\xbf", Replacements(2)},
    };
    for (const auto& c : cases) EXPECT_EQ(WideFromUtf8(c.bytes), c.text) << c.what;
}

// Wide text that is not Unicode (a surrogate outside a pair; where wchar_t
// has 32 bits, any surrogate and any value above U+10FFFF) becomes U+FFFD.
TEST(UtfTest, WideTextThatIsNotUnicodeBecomesReplacementCharacters) {
    const std::string r = "\xef\xbf\xbd";
    EXPECT_EQ(Utf8FromWide(std::wstring{L'a', static_cast<wchar_t>(0xD83D), L'b'}), "a" + r + "b");
    EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0xDE00)}), r);
    EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0xDE00), static_cast<wchar_t>(0xD83D)}), r + r);
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(Utf8FromWide(pair), kUtf16 ? "\xf0\x9f\x98\x80" : r + r);
    if (!kUtf16) {
        EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}), r + r);
    }
}

}  // namespace
}  // namespace aurivel::utf
