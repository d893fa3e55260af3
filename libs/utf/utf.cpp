#include "utf/utf.h"

namespace aurivel::utf {
namespace {

constexpr bool kUtf16 = sizeof(wchar_t) == 2;
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }
bool IsScalarValue(char32_t c) { return c < 0xD800 || (c >= 0xE000 && c <= 0x10FFFF); }

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

void AppendWide(std::wstring& out, char32_t c) {
    if (kUtf16 && c >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

struct Decoded {
    char32_t c;
    std::size_t length;
};

// The well-formed sequences of the Unicode Standard (its table 3-7): the
// lead byte gives the number of continuation bytes and the range of the
// first, which rules out overlong forms, surrogates and values above
// U+10FFFF; the others are 80 to BF.
struct LeadByte {
    int continuations;
    unsigned char firstLow, firstHigh;
};

LeadByte Classify(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
    if (lead == 0xE0) return {2, 0xA0, 0xBF};
    if (lead == 0xED) return {2, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
    if (lead == 0xF0) return {3, 0x90, 0xBF};
    if (lead == 0xF4) return {3, 0x80, 0x8F};
    if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
    return {-1, 0, 0};
}

// The character at text[i] and the bytes it takes; an ill-formed start is
// U+FFFD over its maximal subpart (at least one byte).
Decoded DecodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    const LeadByte kind = Classify(lead);
    if (kind.continuations < 0) return {kReplacement, 1};
    char32_t c = lead & (0x3F >> kind.continuations);
    unsigned char low = kind.firstLow, high = kind.firstHigh;
    std::size_t length = 1;
    for (int k = 0; k < kind.continuations; ++k, ++length) {
        if (i + length >= text.size()) return {kReplacement, length};
        const auto byte = static_cast<unsigned char>(text[i + length]);
        if (byte < low || byte > high) return {kReplacement, length};
        c = (c << 6) | (byte & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {c, length};
}

}  // namespace

std::string Utf8FromWide(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (kUtf16 && IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        AppendUtf8(out, IsScalarValue(c) ? c : kReplacement);
    }
    return out;
}

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Decoded decoded = DecodeAt(text, i);
        AppendWide(out, decoded.c);
        i += decoded.length;
    }
    return out;
}

}  // namespace aurivel::utf
