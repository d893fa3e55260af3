// The host's wide string class (MSTR, also known as TSTR): one pointer to
// its wide characters, the whole class in maxutil.dll.
#pragma once

#include "coreexp.h"
#include "strbasic.h"

class UtilExport WStr {
public:
    WStr();
    WStr(const MCHAR* s);
    WStr(const WStr& other);
    WStr(WStr&& other) noexcept;
    ~WStr();

    WStr& operator=(const MCHAR* s);
    WStr& operator=(const WStr& other);
    WStr& operator=(WStr&& other) noexcept;

    const MCHAR* data() const;
    int Length() const;
    bool isNull() const;
    operator const MCHAR*() const;

    bool operator==(const WStr& other) const;
    bool operator!=(const WStr& other) const;
    bool operator==(const MCHAR* other) const;
    bool operator!=(const MCHAR* other) const;

private:
    MCHAR* text_;  // null when empty
};

inline bool operator==(const MCHAR* a, const WStr& b) { return b == a; }
inline bool operator!=(const MCHAR* a, const WStr& b) { return b != a; }

typedef WStr MSTR;
typedef WStr TSTR;
