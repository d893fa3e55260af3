#include "nkdata/tabulated.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "nkdata/nk_error.h"
#include "nkdata/text_lines.h"

namespace aurivel::nkdata {

double InterpolateAt(const std::vector<TableRow>& rows, double micrometres) {
    const auto above = std::lower_bound(rows.begin(), rows.end(), micrometres,
                                        [](const TableRow& row, double w) { return row.micrometres < w; });
    if (above->micrometres == micrometres) {
        return above->value;
    }
    const TableRow& below = *(above - 1);
    const double t = (micrometres - below.micrometres) / (above->micrometres - below.micrometres);
    return below.value + (above->value - below.value) * t;
}

OpticalFunction CheckedFunction(WavelengthRange range, std::function<double(double)> at, const Origin& origin) {
    auto checked = [range, at = std::move(at), origin](double micrometres) {
        if (!range.Contains(micrometres)) {
            Fail(origin.source, origin.line,
                 origin.quantity + " is defined from " + Decimal(range.shortest) + " to " + Decimal(range.longest) +
                     " \xC2\xB5m, not at " + Decimal(micrometres) + " \xC2\xB5m");
        }
        const double value = at(micrometres);
        if (!(std::isfinite(value) && value >= 0.0)) {
            Fail(origin.source, origin.line,
                 "the data give no real, finite " + origin.quantity + " >= 0 at " + Decimal(micrometres) +
                     " \xC2\xB5m (" + origin.quantity + " = " + Decimal(value) + ")");
        }
        if (value > std::numeric_limits<float>::max()) {
            Fail(origin.source, origin.line,
                 origin.quantity + " = " + Decimal(value) + " at " + Decimal(micrometres) +
                     " \xC2\xB5m is too large for a single-precision value");
        }
        return value;
    };
    return {range, std::move(checked), {}};
}

OpticalFunction NoAbsorption(WavelengthRange range, const std::string& source) {
    return CheckedFunction(range, [](double) { return 0.0; }, {source, 0, "k"});
}

double TableBuilder::Number(int line, std::string_view text, const std::string& what) const {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        Fail(origin_.source, line, "unreadable " + what + " '" + std::string(text) + "'");
    }
    return *value;
}

void TableBuilder::Add(int line, std::string_view wavelengthText, std::string_view valueText) {
    const std::string& quantity = origin_.quantity;
    const double wavelength = Number(line, wavelengthText, "wavelength");
    const double value = Number(line, valueText, quantity);
    if (wavelength <= 0.0) {
        Fail(origin_.source, line, "wavelength " + std::string(wavelengthText) + " is not positive");
    }
    if (value < 0.0) {
        return LeaveOut(line, wavelength, "negative " + quantity + " " + std::string(valueText));
    }
    // The map holds the constants in single precision, where a larger value
    // would become infinite.
    if (value > std::numeric_limits<float>::max()) {
        return LeaveOut(line, wavelength,
                        quantity + " " + std::string(valueText) + " is too large for a single-precision value");
    }
    // The same sample again, as a table may hold it at the seam of two
    // measurements, says nothing new.
    if (!rows_.empty() && wavelength == rows_.back().micrometres && value == rows_.back().value) {
        return;
    }
    if (!rows_.empty() && wavelength <= rows_.back().micrometres) {
        return LeaveOut(line, wavelength,
                        std::string(wavelength == rows_.back().micrometres ? "duplicate" : "unsorted") +
                            " wavelength " + std::string(wavelengthText) +
                            " (wavelengths must increase within a table)");
    }
    rows_.push_back({wavelength, value});
}

void TableBuilder::LeaveOut(int line, double wavelength, std::string why) {
    leftOut_.push_back({line, wavelength, std::move(why), {}});
}

namespace {

// Each left-out row with the kept rows around it.
std::vector<LeftOutRow> Placed(const std::vector<TableRow>& rows, std::vector<LeftOutRow> leftOut) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (LeftOutRow& row : leftOut) {
        const auto below = std::lower_bound(rows.begin(), rows.end(), row.micrometres,
                                            [](const TableRow& r, double w) { return r.micrometres < w; });
        const auto above = std::upper_bound(rows.begin(), rows.end(), row.micrometres,
                                            [](double w, const TableRow& r) { return w < r.micrometres; });
        row.between = {below == rows.begin() ? -kInfinity : (below - 1)->micrometres,
                       above == rows.end() ? kInfinity : above->micrometres};
    }
    return leftOut;
}

}  // namespace

OpticalFunction TableBuilder::Build(std::optional<WavelengthRange> within) const {
    if (rows_.empty() && !leftOut_.empty()) {
        Fail(origin_.source, leftOut_.front().line, leftOut_.front().why);
    }
    if (rows_.empty()) {
        Fail(origin_.source, origin_.line, "the " + origin_.quantity + " table has no rows");
    }
    WavelengthRange range{rows_.front().micrometres, rows_.back().micrometres};
    if (within) {
        range = {std::max(range.shortest, within->shortest), std::min(range.longest, within->longest)};
    }
    if (range.shortest > range.longest) {
        Fail(origin_.source, origin_.line,
             "the " + origin_.quantity + " table lies outside its wavelength_range " + Decimal(within->shortest) +
                 " to " + Decimal(within->longest) + " \xC2\xB5m");
    }
    auto rows = std::make_shared<const std::vector<TableRow>>(rows_);
    OpticalFunction function = CheckedFunction(
        range, [rows](double micrometres) { return InterpolateAt(*rows, micrometres); }, origin_);
    if (leftOut_.empty()) {
        return function;
    }
    function.leftOut = Placed(rows_, leftOut_);
    function.at = [leftOut = function.leftOut, at = std::move(function.at),
                   source = origin_.source](double micrometres) {
        for (const LeftOutRow& row : leftOut) {
            if (row.Needed(micrometres)) {
                Fail(source, row.line, row.why);
            }
        }
        return at(micrometres);
    };
    return function;
}

}  // namespace aurivel::nkdata
