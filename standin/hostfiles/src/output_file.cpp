#include "hostfiles/output_file.h"

#include "hostfiles/input_file.h"
#include "platform_file.h"

namespace hostfiles {

void WriteWholeFile(const std::string& path, const void* bytes, size_t size) {
    const std::string temporary = path + ".saving";
    try {
        platform::WriteNewFile(temporary, bytes, size);
        platform::MoveOver(temporary, path);
    } catch (const FileError&) {
        platform::Remove(temporary);
        throw;
    }
}

}  // namespace hostfiles
