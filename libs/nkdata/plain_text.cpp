#include "nkdata/plain_text.h"

#include <cctype>
#include <utility>

#include "nkdata/text_lines.h"

namespace aurivel::nkdata {
namespace {

constexpr std::pair<std::string_view, std::string_view> kEntities[] = {
    {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&nbsp;", " "},
};

// "<a", "</i>", "<br/>": a '<' that opens a tag is followed by a letter,
// or by '/' and a letter.
bool OpensTag(std::string_view text) {
    const std::size_t name = text.size() > 1 && text[1] == '/' ? 2 : 1;
    return text.size() > name && std::isalpha(static_cast<unsigned char>(text[name]));
}

std::string_view TagName(std::string_view tag) {
    tag.remove_prefix(tag[1] == '/' ? 2 : 1);
    std::size_t end = 0;
    while (end < tag.size() && std::isalnum(static_cast<unsigned char>(tag[end]))) {
        ++end;
    }
    return tag.substr(0, end);
}

// The value of a tag's href attribute, quoted with " or '; empty when none.
std::string_view LinkTarget(std::string_view tag) {
    const std::size_t href = tag.find("href=");
    if (href == std::string_view::npos || href + 5 >= tag.size()) {
        return {};
    }
    const char quote = tag[href + 5];
    const std::size_t start = href + 6;
    const std::size_t end = tag.find(quote, start);
    return (quote == '"' || quote == '\'') && end != std::string_view::npos ? tag.substr(start, end - start)
                                                                            : std::string_view();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The text with its tags replaced as PlainText says; entities still encoded.
std::string RemoveTags(std::string_view html) {
    std::string text;
    std::string pendingTarget;  // of the link being read, written after its text
    std::size_t close = 0;      // the first '>' after the last tag looked at; npos: none
    for (std::size_t i = 0; i < html.size();) {
        const bool opens = html[i] == '<' && OpensTag(html.substr(i));
        if (opens && close != std::string_view::npos && close <= i) {
            close = html.find('>', i);
        }
        if (!opens || close == std::string_view::npos) {
            text += html[i++];
            continue;
        }
        const std::string_view tag = html.substr(i, close + 1 - i);
        const std::string_view name = TagName(tag);
        if (EqualsIgnoringCase(name, "br")) {
            text += '\n';
        } else if (EqualsIgnoringCase(name, "a") && tag[1] != '/') {
            pendingTarget = LinkTarget(tag);
        } else if (EqualsIgnoringCase(name, "a") && !pendingTarget.empty()) {
            text += " (" + pendingTarget + ")";
            pendingTarget.clear();
        }
        i = close + 1;
    }
    return text;
}

std::string DecodeEntities(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size();) {
        bool matched = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(i, entity.size()) == entity) {
                decoded += character;
                i += entity.size();
                matched = true;
                break;
            }
        }
        if (!matched) {
            decoded += text[i++];
        }
    }
    return decoded;
}

}  // namespace

std::string PlainText(std::string_view html) {
    const std::string text = DecodeEntities(RemoveTags(html));
    std::string plain;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trim(std::string_view(text).substr(start, end - start));
        if (!line.empty()) {
            plain += plain.empty() ? "" : "\n";
            plain += line;
        }
        start = end + 1;
    }
    return plain;
}

}  // namespace aurivel::nkdata
