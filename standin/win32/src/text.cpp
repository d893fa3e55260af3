#include "text.h"

#include <algorithm>
#include <cwchar>

namespace win32shim {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::wstring WidenUtf16(std::u16string_view units) {
    std::wstring out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            out += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            out += static_cast<wchar_t>(unit);
        }
    }
    return out;
}

int CopyTruncated(std::wstring_view text, LPWSTR buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    const size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::copy_n(text.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

std::wstring_view ApiString(LPCWSTR text) {
    return text == nullptr ? std::wstring_view() : std::wstring_view(text, std::wcslen(text));
}

}  // namespace win32shim

using namespace win32shim;

// UTF-8 only: the code page of this system's file names and messages.
extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR, BOOL* lpUsedDefaultChar) {
    if (CodePage != CP_UTF8 || lpWideCharStr == nullptr || cbMultiByte < 0 || lpUsedDefaultChar != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A length of -1 takes the string with its terminating zero.
    const size_t length = cchWideChar < 0 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    const std::string bytes = Utf8FromWide(std::wstring_view(lpWideCharStr, length));
    if (cbMultiByte == 0) return static_cast<int>(bytes.size());
    if (bytes.size() > static_cast<size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(bytes.begin(), bytes.end(), lpMultiByteStr);
    return static_cast<int>(bytes.size());
}
