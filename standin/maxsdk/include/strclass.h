// The host's wide string class (MSTR, also known as TSTR).
#pragma once

#include <string>

#include "strbasic.h"

class WStr {
public:
    WStr() = default;
    WStr(const MCHAR* s) : text_(s ? s : L"") {}

    WStr& operator=(const MCHAR* s) {
        text_ = s ? s : L"";
        return *this;
    }

    const MCHAR* data() const { return text_.c_str(); }
    int Length() const { return static_cast<int>(text_.size()); }
    bool isNull() const { return text_.empty(); }
    operator const MCHAR*() const { return text_.c_str(); }

    bool operator==(const WStr& other) const { return text_ == other.text_; }
    bool operator!=(const WStr& other) const { return text_ != other.text_; }
    bool operator==(const MCHAR* other) const { return text_ == (other ? other : L""); }
    bool operator!=(const MCHAR* other) const { return !(*this == other); }
    friend bool operator==(const MCHAR* a, const WStr& b) { return b == a; }
    friend bool operator!=(const MCHAR* a, const WStr& b) { return b != a; }

private:
    std::wstring text_;
};

typedef WStr MSTR;
typedef WStr TSTR;
