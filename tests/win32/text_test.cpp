#include "text.h"

#include <gtest/gtest.h>

using namespace win32shim;

TEST(WidenUtf16, JoinsSurrogatePairsAndKeepsLoneSurrogates) {
    EXPECT_EQ(WidenUtf16(u"R (0.650 \u00B5m)"), L"R (0.650 \u00B5m)");
    EXPECT_EQ(WidenUtf16(u"a\U0001F600b"), std::wstring(L"a") + static_cast<wchar_t>(0x1F600) + L"b");
    const char16_t loneHigh[] = {u'x', 0xD83D, u'y'};
    EXPECT_EQ(WidenUtf16(std::u16string_view(loneHigh, 3)), (std::wstring{L'x', 0xD83D, L'y'}));
    const char16_t loneLow[] = {0xDE00};
    EXPECT_EQ(WidenUtf16(std::u16string_view(loneLow, 1)), std::wstring(1, 0xDE00));
}

TEST(Utf8, RoundTripsEveryPlane) {
    const std::wstring text = std::wstring(L"/tmp/\u00B5\u00B1\u00B0/\u20AC") + static_cast<wchar_t>(0x1F600);
    EXPECT_EQ(ToUtf8(text), "/tmp/\xC2\xB5\xC2\xB1\xC2\xB0/\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, MalformedSequencesBecomeReplacementCharacters) {
    struct Case {
        const char* bytes;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"a\xC0\x80"
         "b",
         L"a\uFFFD"
         "b"},                            // overlong
        {"a\xE2\x82", L"a\uFFFD"},        // cut short
        {"\xED\xA0\x80", L"\uFFFD"},      // a surrogate
        {"\x80z", L"\uFFFDz"},            // a lone continuation byte
        {"\xF4\x90\x80\x80", L"\uFFFD"},  // above U+10FFFF
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.text) << c.bytes;
}

TEST(CopyTruncated, CopiesWhatFitsWithATerminatingZero) {
    struct Case {
        int capacity;
        const wchar_t* copied;
        int count;
    };
    const Case cases[] = {{1, L"", 0}, {3, L"ab", 2}, {4, L"abc", 3}, {5, L"abcd", 4}, {10, L"abcd", 4}};
    for (const auto& c : cases) {
        wchar_t buffer[10];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(CopyTruncated(L"abcd", buffer, c.capacity), c.count) << c.capacity;
        EXPECT_STREQ(buffer, c.copied) << c.capacity;
        EXPECT_EQ(buffer[c.count + 1], L'#') << "wrote past the terminator";
    }
}

TEST(CopyTruncated, WritesNothingWithoutCapacity) {
    wchar_t buffer[2] = {L'#', L'#'};
    EXPECT_EQ(CopyTruncated(L"abcd", buffer, 0), 0);
    EXPECT_EQ(CopyTruncated(L"abcd", buffer, -1), 0);
    EXPECT_EQ(buffer[0], L'#');
}
