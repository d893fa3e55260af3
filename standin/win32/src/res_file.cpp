#include "res_file.h"

#include "byte_reader.h"

#include <cwctype>

namespace win32shim {
namespace {

constexpr char16_t kOrdinalMarker = 0xFFFF;
// Each entry's header starts with two DWORD sizes and ends with DataVersion,
// MemoryFlags, LanguageId, Version and Characteristics.
constexpr size_t kHeaderSizesBytes = 8;
constexpr size_t kHeaderTrailerBytes = 16;

char16_t UpperCase(char16_t unit) { return unit < 0x80 ? static_cast<char16_t>(std::towupper(unit)) : unit; }

// A type or name: 0xFFFF and an ordinal, or a NUL-terminated string.
ResourceId ReadTypeOrName(ByteReader& reader) {
    ByteReader peek = reader;
    if (peek.Read<char16_t>() == kOrdinalMarker) {
        reader.Skip(sizeof(char16_t));
        return ResourceId::Ordinal(reader.Read<WORD>());
    }
    return ResourceId::Name(reader.ReadUtf16z());
}

std::optional<ResourceEntry> ReadEntry(const std::vector<uint8_t>& bytes, size_t start) {
    const size_t available = bytes.size() - start;
    ByteReader reader(bytes.data() + start, available);
    const auto dataSize = reader.Read<DWORD>();
    const auto headerSize = reader.Read<DWORD>();
    if (reader.Failed() || headerSize < kHeaderSizesBytes + kHeaderTrailerBytes || headerSize > available ||
        dataSize > available - headerSize) {
        return std::nullopt;
    }
    ByteReader header(bytes.data() + start, headerSize);
    header.Skip(kHeaderSizesBytes);
    ResourceEntry entry;
    entry.type = ReadTypeOrName(header);
    entry.name = ReadTypeOrName(header);
    header.Align(4);
    header.Skip(4 + 2);  // DataVersion, MemoryFlags
    entry.language = header.Read<WORD>();
    if (header.Failed()) return std::nullopt;
    entry.offset = start + headerSize;
    entry.size = dataSize;
    return entry;
}

bool IsEmptyEntry(const ResourceEntry& entry) {
    return entry.size == 0 && entry.type.IsOrdinal() && entry.type.ordinal == 0 && entry.name.IsOrdinal() &&
           entry.name.ordinal == 0;
}

}  // namespace

ResourceId ResourceId::Name(std::u16string name) {
    for (char16_t& unit : name) unit = UpperCase(unit);
    return ResourceId{0, std::move(name)};
}

ResourceId ResourceId::FromApi(LPCWSTR id) {
    if (IS_INTRESOURCE(id)) return Ordinal(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)));
    std::u16string name;
    for (const wchar_t* c = id; *c != 0; ++c) name += static_cast<char16_t>(*c);
    if (name.size() > 1 && name[0] == u'#') {
        unsigned long ordinal = 0;
        for (size_t i = 1; i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i) {
            ordinal = ordinal * 10 + (name[i] - u'0');
        }
        return Ordinal(static_cast<WORD>(ordinal));
    }
    return Name(std::move(name));
}

std::optional<std::vector<ResourceEntry>> ParseResFile(const std::vector<uint8_t>& bytes) {
    std::vector<ResourceEntry> entries;
    size_t offset = 0;
    while (offset < bytes.size()) {
        const auto entry = ReadEntry(bytes, offset);
        if (!entry) return std::nullopt;
        if (!IsEmptyEntry(*entry)) entries.push_back(*entry);
        offset = (entry->offset + entry->size + 3) & ~size_t{3};
    }
    return entries;
}

}  // namespace win32shim
