#include "nkdata/plain_table.h"

#include <utility>
#include <vector>

#include "nkdata/nk_error.h"
#include "nkdata/tabulated.h"
#include "nkdata/text_lines.h"

namespace aurivel::nkdata {

NkData ReadPlainTable(std::string_view text, const std::string& source) {
    TableBuilder n(Origin{source, 0, "n"});
    TableBuilder k(Origin{source, 0, "k"});
    bool first = true;
    ForEachLine(text, source, [&](int number, std::string_view line) {
        const std::string_view content = Trim(line.substr(0, line.find('#')));
        const std::vector<std::string_view> fields = SplitFields(content);
        if (fields.empty()) {
            return;
        }
        if (std::exchange(first, false) && IsHeaderLine(content)) {
            return;  // one header line, such as "wavelength n k"
        }
        if (fields.size() != 3) {
            Fail(source, number, "expected three numbers 'wavelength n k', got '" + std::string(line) + "'");
        }
        n.Add(number, fields[0], fields[1]);
        k.Add(number, fields[0], fields[2]);
    });
    if (n.Empty()) {
        Fail(source, 0, "empty table: no rows 'wavelength n k'");
    }
    return {source, "", n.Build(), k.Build(), ""};
}

}  // namespace aurivel::nkdata
