#include "nk_file.h"

#include <fstream>
#include <iterator>

#include "nk_error.h"
#include "nk_yaml.h"

namespace aurivel::nkdata {

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail(path, 0, "cannot open the file");
    }
    try {
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure& e) {
        Fail(path, 0, std::string("cannot read the file: ") + e.what());
    }
}

NkData ReadNkYamlFile(const std::string& path) { return ReadNkYaml(ReadFileText(path), path); }

}  // namespace aurivel::nkdata
