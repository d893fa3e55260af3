#include "base/wide_text.h"

#include <algorithm>
#include <cctype>

#include "utf/utf.h"

namespace aurivel::preview {
namespace {

char LowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The length of the character at text[at] when it is valid UTF-8 and no
// control character (C0, DEL, C1), else 0.
std::size_t PrintableCharacterLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    }
    // The lead byte gives the length and the range of the second byte, which
    // excludes overlong forms, surrogates and code points above U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        low = lead == 0xC2 ? 0xA0 : low;  // U+0080 to U+009F are controls
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    }
    if (length == 0 || at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed) {
    const std::string utf8 = utf::Utf8FromWide(name);
    return utf8.size() == typed.size() && std::equal(utf8.begin(), utf8.end(), typed.begin(),
                                                     [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::string PrintableText(const std::string& text) {
    std::string printable;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = PrintableCharacterLength(text, at);
        if (length == 0) {
            const auto byte = static_cast<unsigned char>(text[at]);
            const char* hex = "0123456789ABCDEF";
            printable += {'\\', 'x', hex[byte >> 4], hex[byte & 0xF]};
            ++at;
        } else {
            printable.append(text, at, length);
            at += length;
        }
    }
    return printable;
}

}  // namespace aurivel::preview
