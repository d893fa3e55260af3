// The host's wide string: a heap copy of the characters, none when empty.
#include "strclass.h"

#include <cwchar>
#include <utility>

namespace {

MCHAR* CopyOf(const MCHAR* s) {
    if (!s || !*s) return nullptr;
    const size_t length = std::wcslen(s);
    auto* copy = new MCHAR[length + 1];
    std::wmemcpy(copy, s, length + 1);
    return copy;
}

}  // namespace

WStr::WStr() : text_(nullptr) {}
WStr::WStr(const MCHAR* s) : text_(CopyOf(s)) {}
WStr::WStr(const WStr& other) : text_(CopyOf(other.text_)) {}
WStr::WStr(WStr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
WStr::~WStr() { delete[] text_; }

WStr& WStr::operator=(const MCHAR* s) {
    MCHAR* copy = CopyOf(s);  // s may point into this string
    delete[] text_;
    text_ = copy;
    return *this;
}

WStr& WStr::operator=(const WStr& other) { return *this = other.text_; }

#if MAX_PRODUCT_YEAR_NUMBER >= 2026 || defined(STANDIN_BUILDING_MAXUTIL)
WStr& WStr::operator=(WStr&& other) noexcept {
    if (this != &other) {
        delete[] text_;
        text_ = std::exchange(other.text_, nullptr);
    }
    return *this;
}
#endif

const MCHAR* WStr::data() const { return text_ ? text_ : L""; }
int WStr::Length() const { return text_ ? static_cast<int>(std::wcslen(text_)) : 0; }
bool WStr::isNull() const { return text_ == nullptr; }
WStr::operator const MCHAR*() const& { return data(); }

bool WStr::operator==(const WStr& other) const { return std::wcscmp(data(), other.data()) == 0; }
bool WStr::operator!=(const WStr& other) const { return !(*this == other); }
