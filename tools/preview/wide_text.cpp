#include "wide_text.h"

#include <algorithm>
#include <cctype>

namespace aurivel::preview {
namespace {

// The Win32 shim encodes the same way, but this host-free core links no shim (and on Windows there is none).
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at text[i], or 0.
std::size_t SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

char LowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::string Utf8FromWide(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        AppendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

std::wstring WideFromUtf8(const std::string& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) {
            out += static_cast<wchar_t>(static_cast<unsigned char>(text[i++]));
            continue;
        }
        char32_t c = static_cast<unsigned char>(text[i]) & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out += static_cast<wchar_t>(c);
        i += length;
    }
    return out;
}

bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed) {
    const std::string utf8 = Utf8FromWide(name);
    return utf8.size() == typed.size() && std::equal(utf8.begin(), utf8.end(), typed.begin(),
                                                     [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::string PrintableText(const std::string& text) {
    std::string printable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            const char* hex = "0123456789ABCDEF";
            printable += {'\\', 'x', hex[byte >> 4], hex[byte & 0xF]};
        } else {
            printable += c;
        }
    }
    return printable;
}

}  // namespace aurivel::preview
