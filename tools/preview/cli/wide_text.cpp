#include "cli/wide_text.h"

#include <algorithm>
#include <cctype>

#include "utf.h"

namespace aurivel::preview {
namespace {

char LowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed) {
    const std::string utf8 = utf::Utf8FromWide(name);
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
