#include "elf_file.h"

#include <elf.h>
#include <link.h>

#include <cstring>
#include <fstream>

namespace win32shim {
namespace {

class ElfReader {
public:
    explicit ElfReader(const std::string& path) : file_(path, std::ios::binary) {
        file_.seekg(0, std::ios::end);
        size_ = file_ ? static_cast<uint64_t>(file_.tellg()) : 0;
    }

    bool ReadAt(uint64_t offset, void* out, uint64_t count) {
        if (!file_ || offset > size_ || count > size_ - offset) return false;
        file_.seekg(static_cast<std::streamoff>(offset));
        file_.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
        return static_cast<bool>(file_);
    }

    std::optional<std::vector<uint8_t>> ReadBytes(uint64_t offset, uint64_t count) {
        if (offset > size_ || count > size_ - offset) return std::nullopt;
        std::vector<uint8_t> bytes(count);
        if (!ReadAt(offset, bytes.data(), count)) return std::nullopt;
        return bytes;
    }

private:
    std::ifstream file_;
    uint64_t size_ = 0;
};

bool IsNativeElf(const ElfW(Ehdr) & header) {
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == ELFCLASS64 &&
           header.e_shentsize == sizeof(ElfW(Shdr));
}

std::string NameAt(const std::vector<uint8_t>& strings, uint64_t offset) {
    if (offset >= strings.size()) return {};
    const auto* begin = reinterpret_cast<const char*>(strings.data() + offset);
    return std::string(begin, strnlen(begin, strings.size() - offset));
}

bool IsExportedFunction(const ElfW(Sym) & symbol) {
    const auto binding = ELF64_ST_BIND(symbol.st_info);
    const auto visibility = ELF64_ST_VISIBILITY(symbol.st_other);
    return symbol.st_shndx != SHN_UNDEF && ELF64_ST_TYPE(symbol.st_info) == STT_FUNC &&
           (binding == STB_GLOBAL || binding == STB_WEAK) && (visibility == STV_DEFAULT || visibility == STV_PROTECTED);
}

std::vector<std::string> ExportedFunctions(ElfReader& reader, const std::vector<ElfW(Shdr)>& sections) {
    std::vector<std::string> names;
    for (const auto& section : sections) {
        if (section.sh_type != SHT_DYNSYM || section.sh_link >= sections.size()) continue;
        const auto& stringSection = sections[section.sh_link];
        const auto symbolBytes = reader.ReadBytes(section.sh_offset, section.sh_size);
        const auto strings = reader.ReadBytes(stringSection.sh_offset, stringSection.sh_size);
        if (!symbolBytes || !strings) continue;
        for (size_t at = 0; at + sizeof(ElfW(Sym)) <= symbolBytes->size(); at += sizeof(ElfW(Sym))) {
            ElfW(Sym) symbol;
            std::memcpy(&symbol, symbolBytes->data() + at, sizeof symbol);
            if (IsExportedFunction(symbol)) names.push_back(NameAt(*strings, symbol.st_name));
        }
    }
    return names;
}

}  // namespace

std::optional<ElfFileContents> ReadElfFile(const std::string& path) {
    ElfReader reader(path);
    ElfW(Ehdr) header;
    if (!reader.ReadAt(0, &header, sizeof header) || !IsNativeElf(header)) return std::nullopt;

    std::vector<ElfW(Shdr)> sections(header.e_shnum);
    if (!reader.ReadAt(header.e_shoff, sections.data(), sections.size() * sizeof(ElfW(Shdr))) ||
        header.e_shstrndx >= sections.size()) {
        return std::nullopt;
    }
    const auto& namesSection = sections[header.e_shstrndx];
    const auto sectionNames = reader.ReadBytes(namesSection.sh_offset, namesSection.sh_size);
    if (!sectionNames) return std::nullopt;

    ElfFileContents contents;
    contents.entry = header.e_entry;
    for (const auto& section : sections) {
        if (section.sh_type != SHT_NOBITS && NameAt(*sectionNames, section.sh_name) == ".rsrc") {
            auto bytes = reader.ReadBytes(section.sh_offset, section.sh_size);
            if (!bytes) return std::nullopt;
            contents.resources = std::move(*bytes);
        }
    }
    contents.exportedFunctions = ExportedFunctions(reader, sections);
    return contents;
}

}  // namespace win32shim
