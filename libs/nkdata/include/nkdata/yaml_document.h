// The database's YAML files parsed within the bounds of a data file. yaml-cpp
// builds a node of about half a kilobyte for every value, so 16 MiB of tiny
// values ("[0,0,0,...]") would take gigabytes and many seconds; the values
// are counted first, without building anything, and a file with far more
// than the database's largest is refused.
#pragma once

#include <yaml-cpp/yaml.h>

#include <string>
#include <string_view>

#include "nk_error.h"

namespace aurivel::nkdata {

// The first document's root; `source` names the text in messages. Throws
// DataError "source:line: not valid YAML: why" or "source:line: more than
// the 100000 values a YAML data file may have".
YAML::Node ParseYaml(std::string_view text, const std::string& source);

// The line of the file where the node starts, from 1.
int LineOf(const YAML::Node& node);

// What `read` returns, with yaml-cpp's errors, from parsing or from reading
// the nodes, turned into DataError "source:line: not valid YAML: why".
template <class Read>
auto ReadingYaml(const std::string& source, Read read) -> decltype(read()) {
    try {
        return read();
    } catch (const YAML::Exception& e) {
        Fail(source, e.mark.line + 1, "not valid YAML: " + e.msg);
    }
}

}  // namespace aurivel::nkdata
