// What the shim reads from a module's ELF file: what a PE loader would find
// in the PE headers (entry point, export names, resource section).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win32shim {

struct ElfFileContents {
    uintptr_t entry = 0;                         // e_entry, before relocation; 0 for none
    std::vector<uint8_t> resources;              // the .rsrc section; empty when there is none
    std::vector<std::string> exportedFunctions;  // defined, visible functions of .dynsym
};

// None if the file cannot be read or is not an ELF file of this machine.
std::optional<ElfFileContents> ReadElfFile(const std::string& path);

}  // namespace win32shim
