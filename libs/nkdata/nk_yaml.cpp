#include "nkdata/nk_yaml.h"

#include <yaml-cpp/yaml.h>

#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "nkdata/dispersion_formula.h"
#include "nkdata/nk_error.h"
#include "nkdata/plain_text.h"
#include "nkdata/tabulated.h"
#include "nkdata/text_lines.h"
#include "nkdata/yaml_document.h"

namespace aurivel::nkdata {
namespace {

// The quantities that a table gives after its wavelength column.
std::vector<std::string> TableColumns(std::string_view type) {
    if (type == "tabulated nk") return {"n", "k"};
    if (type == "tabulated n") return {"n"};
    if (type == "tabulated k") return {"k"};
    return {};
}

struct Found {
    OpticalFunction function;
    int line = 0;
};

class YamlPageReader {
public:
    // yaml-cpp counts positions after a byte order mark, so the text is
    // taken without one.
    YamlPageReader(const std::string& text, const std::string& source)
        : text_(WithoutByteOrderMark(text)), source_(source) {}

    NkData Read() {
        const YAML::Node root = ParseYaml(text_, source_);
        if (!root.IsMap()) {
            Fail(source_, LineOf(root), "not an n/k data file (expected keys such as REFERENCES and DATA)");
        }
        RefuseDuplicateKeys(root);
        NkData data;
        data.source = source_;
        data.references = OptionalText(root, "REFERENCES");
        data.comments = OptionalText(root, "COMMENTS");
        ReadEntries(root["DATA"]);
        if (!n_) {
            Fail(source_, LineOf(root["DATA"]), "no DATA entry gives n");
        }
        data.n = n_->function;
        data.k = k_ ? k_->function : NoAbsorption(n_->function.range, source_);
        return data;
    }

private:
    void RefuseDuplicateKeys(const YAML::Node& map) const {
        std::set<std::string> seen;
        for (const auto& item : map) {
            if (item.first.IsScalar() && !seen.insert(item.first.Scalar()).second) {
                Fail(source_, LineOf(item.first), "the key '" + item.first.Scalar() + "' appears twice");
            }
        }
    }

    // The key's text as plain text; empty when the file has no such key.
    std::string OptionalText(const YAML::Node& map, const std::string& key) const {
        const YAML::Node node = map[key];
        return node ? PlainText(Scalar(node, key)) : std::string();
    }

    std::string Scalar(const YAML::Node& node, const std::string& key) const {
        if (!node.IsScalar()) {
            Fail(source_, LineOf(node), key + " must be text");
        }
        return node.Scalar();
    }

    void ReadEntries(const YAML::Node& entries) {
        if (!entries) {
            Fail(source_, 0, "no DATA (the list of tables and formulas)");
        }
        if (!entries.IsSequence() || entries.size() == 0) {
            Fail(source_, LineOf(entries), "DATA must be a list of entries, each with a 'type'");
        }
        for (const YAML::Node& entry : entries) {
            ReadEntry(entry);
        }
    }

    void ReadEntry(const YAML::Node& entry) {
        if (!entry.IsMap() || !entry["type"]) {
            Fail(source_, LineOf(entry), "a DATA entry needs a 'type'");
        }
        RefuseDuplicateKeys(entry);
        const YAML::Node typeNode = entry["type"];
        const std::string type = Scalar(typeNode, "type");
        if (const std::vector<std::string> columns = TableColumns(type); !columns.empty()) {
            ReadTable(entry, columns);
        } else if (const std::optional<int> formula = FormulaNumber(type)) {
            ReadFormula(entry, *formula);
        } else {
            Fail(source_, LineOf(typeNode),
                 "unknown DATA type '" + type +
                     "' (known: tabulated nk, tabulated n, tabulated k, formula 1 to formula 9)");
        }
    }

    // The line of the scalar's first text line: a block scalar ("|" or ">")
    // starts on the line after its indicator.
    int FirstTextLine(const YAML::Node& scalar) const {
        const YAML::Mark mark = scalar.Mark();
        const bool block =
            mark.pos >= 0 && static_cast<std::size_t>(mark.pos) < text_.size() &&
            (text_[static_cast<std::size_t>(mark.pos)] == '|' || text_[static_cast<std::size_t>(mark.pos)] == '>');
        return mark.line + (block ? 2 : 1);
    }

    void ReadTable(const YAML::Node& entry, const std::vector<std::string>& columns) {
        const YAML::Node dataNode = entry["data"];
        if (!dataNode) {
            Fail(source_, LineOf(entry), "a '" + entry["type"].Scalar() + "' entry needs 'data'");
        }
        const std::string data = Scalar(dataNode, "data");
        std::vector<TableBuilder> tables;
        for (const std::string& quantity : columns) {
            tables.emplace_back(Origin{source_, LineOf(dataNode), quantity});
        }
        int line = FirstTextLine(dataNode);
        for (std::string_view rest = data; !rest.empty(); ++line) {
            const std::size_t end = rest.find('\n');
            AddRow(line, rest.substr(0, end), tables);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        for (std::size_t c = 0; c < columns.size(); ++c) {
            Take(columns[c], {tables[c].Build(DeclaredRange(entry)), LineOf(dataNode)});
        }
    }

    void AddRow(int line, std::string_view text, std::vector<TableBuilder>& tables) const {
        const std::vector<std::string_view> fields = SplitFields(text);
        if (fields.empty()) {
            return;
        }
        if (fields.size() != tables.size() + 1) {
            Fail(source_, line,
                 "expected " + std::to_string(tables.size() + 1) + " numbers per row, got '" + std::string(text) + "'");
        }
        for (std::size_t c = 0; c < tables.size(); ++c) {
            tables[c].Add(line, fields[0], fields[c + 1]);
        }
    }

    std::vector<double> Numbers(const YAML::Node& node, const std::string& key) const {
        const std::string text = Scalar(node, key);
        std::vector<double> numbers;
        for (std::string_view field : SplitFields(text)) {
            const std::optional<double> number = ParseDecimal(field);
            if (!number) {
                Fail(source_, LineOf(node), "unreadable number '" + std::string(field) + "' in " + key);
            }
            numbers.push_back(*number);
        }
        return numbers;
    }

    std::optional<WavelengthRange> DeclaredRange(const YAML::Node& entry) const {
        const YAML::Node node = entry["wavelength_range"];
        if (!node) {
            return std::nullopt;
        }
        const std::vector<double> ends = Numbers(node, "wavelength_range");
        if (ends.size() != 2 || !(0.0 < ends[0] && ends[0] <= ends[1])) {
            Fail(source_, LineOf(node), "wavelength_range must be two wavelengths in \xC2\xB5m, shortest first");
        }
        return WavelengthRange{ends[0], ends[1]};
    }

    void ReadFormula(const YAML::Node& entry, int formula) {
        const std::optional<WavelengthRange> range = DeclaredRange(entry);
        if (!range) {
            Fail(source_, LineOf(entry), "a formula entry needs a wavelength_range");
        }
        const YAML::Node coefficientsNode = entry["coefficients"];
        if (!coefficientsNode) {
            Fail(source_, LineOf(entry), "a formula entry needs coefficients");
        }
        const std::vector<double> coefficients = Numbers(coefficientsNode, "coefficients");
        if (const std::string why = CoefficientProblem(formula, coefficients); !why.empty()) {
            Fail(source_, LineOf(coefficientsNode), why);
        }
        const Origin origin{source_, LineOf(entry), "n"};
        Take("n", {CheckedFunction(
                       *range,
                       [formula, coefficients](double micrometres) {
                           return FormulaIndex(formula, coefficients, micrometres);
                       },
                       origin),
                   LineOf(entry)});
    }

    void Take(const std::string& quantity, Found found) {
        std::optional<Found>& slot = quantity == "n" ? n_ : k_;
        if (slot) {
            Fail(source_, found.line,
                 "a second DATA entry gives " + quantity + " (the entry on line " + std::to_string(slot->line) +
                     " already does)");
        }
        slot = std::move(found);
    }

    std::string_view text_;
    const std::string& source_;
    std::optional<Found> n_;
    std::optional<Found> k_;
};

}  // namespace

NkData ReadNkYaml(const std::string& text, const std::string& source) {
    return ReadingYaml(source, [&] { return YamlPageReader(text, source).Read(); });
}

}  // namespace aurivel::nkdata
