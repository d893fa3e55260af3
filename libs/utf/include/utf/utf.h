// UTF-8, as terminals, command lines and files speak it, to and from wide
// text: UTF-16 where wchar_t has 16 bits (Windows), UTF-32 elsewhere. Both
// directions accept any input and write only well-formed text: what cannot
// be converted becomes U+FFFD, so a bad name shows as such instead of as
// bytes that the next reader decodes differently.
#pragma once

#include <string>
#include <string_view>

namespace aurivel::utf {

// A surrogate that is not half of a pair, and a value above U+10FFFF (where
// wchar_t has 32 bits), is written as U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

// Ill-formed UTF-8 (overlong forms, encoded surrogates, values above
// U+10FFFF, truncated sequences, stray continuation bytes, the bytes C0, C1
// and F5 to FF) becomes U+FFFD, one for each maximal subpart as the Unicode
// Standard recommends: a sequence cut short is one U+FFFD, and the byte that
// cut it short is decoded afresh.
std::wstring WideFromUtf8(std::string_view text);

}  // namespace aurivel::utf
