// Resources as a resource compiler writes them to a .res file, the form in
// which a module built for Linux carries them (section .rsrc).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win32shim {

// A resource type or name: an ordinal, or a string kept in upper case as
// Windows compares names without regard to case.
struct ResourceId {
    WORD ordinal = 0;
    std::u16string name;

    bool IsOrdinal() const { return name.empty(); }
    bool operator==(const ResourceId& other) const { return ordinal == other.ordinal && name == other.name; }

    static ResourceId Ordinal(WORD ordinal) { return ResourceId{ordinal, {}}; }
    static ResourceId Name(std::u16string name);
    // What the API takes: MAKEINTRESOURCEW(n), "#n" or a name.
    static ResourceId FromApi(LPCWSTR id);
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    WORD language = 0;
    size_t offset = 0;  // of the data in the .res bytes
    size_t size = 0;
};

// Lists the entries of a .res file, leaving out the empty entry that starts
// it. None if the bytes are not a well-formed .res file.
std::optional<std::vector<ResourceEntry>> ParseResFile(const std::vector<uint8_t>& bytes);

}  // namespace win32shim
