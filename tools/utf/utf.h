// UTF-8, as terminals, command lines and files speak it, to and from wide
// text: UTF-16 where wchar_t has 16 bits (Windows), UTF-32 elsewhere.
#pragma once

#include <string>

namespace aurivel::utf {

// An unpaired surrogate is written as the code point it stands for.
std::string Utf8FromWide(const std::wstring& text);

// Bytes that are not valid UTF-8 are taken one by one as Latin-1.
std::wstring WideFromUtf8(const std::string& text);

}  // namespace aurivel::utf
