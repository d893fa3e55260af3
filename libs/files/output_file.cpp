#include "files/output_file.h"

#include "files/input_file.h"
#include "platform_file.h"

namespace aurivel::files {

void WriteWholeFile(const std::string& path, const void* bytes, size_t size) {
    const std::string temporary = path + ".saving";
    if (!platform::WriteNewFile(temporary, bytes, size))
        throw FileError("cannot write " + temporary +
                        ": something of that name is in the way (remove it if it is "
                        "left from a save that broke off)");
    try {
        platform::MoveOver(temporary, path);
    } catch (const FileError&) {
        platform::Remove(temporary);
        throw;
    }
}

}  // namespace aurivel::files
