// The host's wide string class (MSTR, also known as TSTR): one pointer to
// its wide characters, the whole class in maxutil.dll.
#pragma once

#include "utilexp.h"
#include "maxheap.h"
#include "maxversion.h"
#include "strbasic.h"

class UtilExport WStr : public MaxHeapOperators {
public:
    WStr();
    WStr(const MCHAR* s);
    WStr(const WStr& other);
    WStr(WStr&& other) noexcept;
    ~WStr();

    WStr& operator=(const MCHAR* s);
    WStr& operator=(const WStr& other);
    // From 2026 on; maxutil.dll exports it for the modules of every release
    // it serves.
#if MAX_PRODUCT_YEAR_NUMBER >= 2026 || defined(STANDIN_BUILDING_MAXUTIL)
    WStr& operator=(WStr&& other) noexcept;
#endif

    const MCHAR* data() const;
    int Length() const;
    bool isNull() const;
    // Only a string that outlives the pointer gives one.
    operator const MCHAR*() const&;
    operator const MCHAR*() const&& = delete;
    operator bool() const = delete;

    bool operator==(const WStr& other) const;
    bool operator!=(const WStr& other) const;

private:
    const MCHAR* buf;  // null when empty
};

typedef WStr MSTR;
typedef WStr TSTR;
