#include "nk_file.h"

#include "data_file_limits.h"
#include "nk_error.h"
#include "nk_yaml.h"
#include "plain_table.h"
#include "site_csv.h"
#include "text_lines.h"

namespace aurivel::nkdata {

NkFormat DetectFormat(std::string_view text, const std::string& source) {
    const std::string first = FirstDataLine(text, source);
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
        return hostfiles::ReadWholeFile(path, kDataFileLimit);
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
    return ReadNkText(text, DetectFormat(text, path), path);
}

NkData ReadNkYamlFile(const std::string& path) { return ReadNkText(ReadFileText(path), NkFormat::kDatabaseYaml, path); }

NkData ReadSiteCsvFile(const std::string& path) { return ReadNkText(ReadFileText(path), NkFormat::kSiteCsv, path); }

}  // namespace aurivel::nkdata
