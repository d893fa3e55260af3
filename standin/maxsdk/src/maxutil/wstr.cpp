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

WStr::WStr() : buf(nullptr) {}
WStr::WStr(const MCHAR* s) : buf(CopyOf(s)) {}
WStr::WStr(const WStr& other) : buf(CopyOf(other.buf)) {}
WStr::WStr(WStr&& other) noexcept : buf(std::exchange(other.buf, nullptr)) {}
WStr::~WStr() { delete[] buf; }

WStr& WStr::operator=(const MCHAR* s) {
    MCHAR* copy = CopyOf(s);  // s may point into this string
    delete[] buf;
    buf = copy;
    return *this;
}

WStr& WStr::operator=(const WStr& other) { return *this = other.buf; }

#if MAX_PRODUCT_YEAR_NUMBER >= 2026 || defined(STANDIN_BUILDING_MAXUTIL)
WStr& WStr::operator=(WStr&& other) noexcept {
    if (this != &other) {
        delete[] buf;
        buf = std::exchange(other.buf, nullptr);
    }
    return *this;
}
#endif

const MCHAR* WStr::data() const { return buf ? buf : L""; }
int WStr::Length() const { return buf ? static_cast<int>(std::wcslen(buf)) : 0; }
bool WStr::isNull() const { return buf == nullptr; }
WStr::operator const MCHAR*() const& { return data(); }

bool WStr::operator==(const WStr& other) const { return std::wcscmp(data(), other.data()) == 0; }
bool WStr::operator!=(const WStr& other) const { return !(*this == other); }
