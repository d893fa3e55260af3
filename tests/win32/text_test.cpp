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
