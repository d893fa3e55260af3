#include "nkdata/site_csv.h"

#include <optional>
#include <string_view>

#include "nkdata/nk_error.h"
#include "nkdata/tabulated.h"
#include "nkdata/text_lines.h"

namespace aurivel::nkdata {
namespace {

struct Section {
    std::string column;  // "n" or "k"
    std::optional<TableBuilder> table;
    int headerLine = 0;

    std::string Header() const { return "wl," + column; }
};

class SiteCsvReader {
public:
    SiteCsvReader(std::string_view text, const std::string& source) : text_(text), source_(source) {}

    NkData Read() {
        ForEachLine(text_, source_, [this](int number, std::string_view line) { ReadLine(number, line); });
        if (!n_.table) {
            Fail(source_, 0, k_.table ? "no 'wl,n' section" : "empty file: no 'wl,n' or 'wl,k' section");
        }
        NkData data;
        data.source = source_;
        data.n = n_.table->Build();
        data.k = k_.table ? k_.table->Build() : NoAbsorption(data.n.range, source_);
        return data;
    }

private:
    void ReadLine(int number, std::string_view line) {
        if (line.empty()) {
            return;
        }
        const auto comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
            Fail(source_, number, "expected two columns 'wavelength,value', got '" + std::string(line) + "'");
        }
        const std::string_view first = Trim(line.substr(0, comma));
        const std::string_view second = Trim(line.substr(comma + 1));
        if (first == "wl") {
            StartSection(number, second);
        } else if (current_ == nullptr) {
            Fail(source_, number, "data before the first 'wl,n' or 'wl,k' header");
        } else {
            current_->table->Add(number, first, second);
        }
    }

    void StartSection(int number, std::string_view column) {
        Section* section = column == "n" ? &n_ : column == "k" ? &k_ : nullptr;
        if (section == nullptr) {
            Fail(source_, number, "unknown section 'wl," + std::string(column) + "' (expected 'wl,n' or 'wl,k')");
        }
        if (section->table) {
            Fail(source_, number,
                 "second '" + section->Header() + "' section (the first is on line " +
                     std::to_string(section->headerLine) + ")");
        }
        section->headerLine = number;
        section->table.emplace(Origin{source_, number, section->column});
        current_ = section;
    }

    std::string_view text_;
    const std::string& source_;
    Section n_{"n", std::nullopt, 0};
    Section k_{"k", std::nullopt, 0};
    Section* current_ = nullptr;
};

}  // namespace

NkData ReadSiteCsv(std::string_view text, const std::string& source) { return SiteCsvReader(text, source).Read(); }

}  // namespace aurivel::nkdata
