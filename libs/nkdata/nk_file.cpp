#include "nkdata/nk_file.h"

#include "nkdata/data_file_limits.h"
#include "nkdata/nk_error.h"
#include "nkdata/nk_yaml.h"
#include "nkdata/plain_table.h"
#include "nkdata/site_csv.h"
#include "nkdata/text_lines.h"

namespace aurivel::nkdata {

namespace {

bool StartsWithNumber(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    return !fields.empty() && ParseDecimal(fields.front());
}

// "wavelength n k" above rows of numbers.
bool IsTableHeader(const std::vector<std::string>& lines) {
    return lines.size() == 2 && IsHeaderLine(lines[0]) && SplitFields(lines[0]).size() == 3 &&
           StartsWithNumber(lines[1]);
}

}  // namespace

NkFormat DetectFormat(std::string_view text, const std::string& source) {
    const std::vector<std::string> lines = LeadingDataLines(text, source, 2);
    if (lines.empty()) {
        Fail(source, 0,
             "empty file: expected n/k data, as a refractiveindex.info YAML file, its CSV export (\"wl,n\" rows, "
             "then \"wl,k\" rows) or a table of rows \"wavelength n k\" with wavelengths in \xC2\xB5m");
    }
    if (lines.front() == "wl,n" || lines.front() == "wl,k") {
        return NkFormat::kSiteCsv;
    }
    return StartsWithNumber(lines.front()) || IsTableHeader(lines) ? NkFormat::kPlainTable : NkFormat::kDatabaseYaml;
}

NkData ReadNkText(const std::string& text, NkFormat format, const std::string& source) {
    if (format == NkFormat::kDatabaseYaml) {
        return ReadNkYaml(text, source);
    }
    return format == NkFormat::kSiteCsv ? ReadSiteCsv(text, source) : ReadPlainTable(text, source);
}

std::string ReadFileText(const std::string& path) {
    try {
        return files::ReadWholeFile(path, kDataFileLimit);
    } catch (const files::FileError& e) {
        throw DataError(e.what());
    }
}

bool Exists(const std::string& path) {
    try {
        files::InputFile file(path);
    } catch (const files::MissingFile&) {
        return false;
    } catch (const files::FileError&) {
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
