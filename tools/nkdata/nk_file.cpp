#include "nk_file.h"

#include <algorithm>

#include "hostfiles/data_file_limits.h"
#include "nk_error.h"
#include "nk_yaml.h"
#include "plain_table.h"
#include "site_csv.h"
#include "tabulated.h"
#include "text_lines.h"

namespace aurivel::nkdata {

NkFormat DetectFormat(std::string_view text) {
    text = WithoutByteOrderMark(text);
    std::string_view first;
    while (first.empty() && !text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        first = Trim(text.substr(0, end));
        first = first.substr(0, 1) == "#" ? std::string_view() : first;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (first.substr(0, 3) == "wl,") {
        return NkFormat::kSiteCsv;
    }
    const std::vector<std::string_view> fields = SplitFields(first);
    return !fields.empty() && ParseDecimal(fields.front()) ? NkFormat::kPlainTable : NkFormat::kDatabaseYaml;
}

NkData ReadNkText(const std::string& text, NkFormat format, const std::string& source) {
    if (format == NkFormat::kDatabaseYaml) {
        return ReadNkYaml(text, source);
    }
    return format == NkFormat::kSiteCsv ? ReadSiteCsv(text, source) : ReadPlainTable(text, source);
}

std::string ReadFileText(const std::string& path) {
    try {
        return hostfiles::ReadWholeFile(path, hostfiles::kDataFileLimit);
    } catch (const hostfiles::FileError& e) {
        throw DataError(e.what());
    }
}

bool Exists(const std::string& path) {
    try {
        hostfiles::InputFile file(path);
    } catch (const hostfiles::MissingFile&) {
        return false;
    } catch (const hostfiles::FileError&) {
    }
    return true;
}

NkData ReadNkFile(const std::string& path) {
    const std::string text = ReadFileText(path);
    return ReadNkText(text, DetectFormat(text), path);
}

NkData ReadNkYamlFile(const std::string& path) { return ReadNkText(ReadFileText(path), NkFormat::kDatabaseYaml, path); }

NkData ReadSiteCsvFile(const std::string& path) { return ReadNkText(ReadFileText(path), NkFormat::kSiteCsv, path); }

}  // namespace aurivel::nkdata
