// Conversions between the shim's text forms: UTF-16 as stored in resources,
// wchar_t strings (UTF-32 on Linux) of the API, and UTF-8 file names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "utf/utf.h"

namespace win32shim {

// Surrogate pairs become one character; a lone surrogate is kept as it is.
std::wstring WidenUtf16(std::u16string_view units);

// The converter of the tools, which writes only well-formed text.
using aurivel::utf::Utf8FromWide;
using aurivel::utf::WideFromUtf8;

// Copies as much of text as fits in capacity characters with a terminating
// zero, as the Win32 text getters do; returns the number of characters
// copied. Writes nothing when capacity is 0 or less.
int CopyTruncated(std::wstring_view text, LPWSTR buffer, int capacity);

// Reads a NUL-terminated API string; null reads as empty.
std::wstring_view ApiString(LPCWSTR text);

}  // namespace win32shim
