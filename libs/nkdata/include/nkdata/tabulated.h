// Tables of n or k against wavelength, as every reader collects them: each
// row checked as it is read, then interpolated linearly between rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nk_data.h"

namespace aurivel::nkdata {

struct TableRow {
    double micrometres;
    double value;
};

// Linear interpolation between the two rows around the wavelength, which
// must lie within the rows' span.
double InterpolateAt(const std::vector<TableRow>& rows, double micrometres);

// Where a function's data come from, for the messages of its checks.
struct Origin {
    std::string source;
    int line = 0;
    std::string quantity;  // "n" or "k"
};

// The function with its range enforced and its values checked: a wavelength
// outside the range, or a value that is not a finite number >= 0 within
// single precision (as the map holds it), throws a DataError naming the
// origin.
OpticalFunction CheckedFunction(WavelengthRange range, std::function<double(double)> at, const Origin& origin);

// k = 0 over the range, for data that give n alone.
OpticalFunction NoAbsorption(WavelengthRange range, const std::string& source);

// One quantity's table, read row by row.
class TableBuilder {
public:
    explicit TableBuilder(Origin origin) : origin_(std::move(origin)) {}

    // Refuses, with the row's line: unreadable or non-finite numbers and a
    // wavelength that is not positive. Leaves out a row with a negative
    // value, a value too large for the map's single precision, or a
    // wavelength not above the previous row's: such a row is refused only
    // where the data are used near it. A row that repeats the previous one's
    // wavelength and value is passed over.
    void Add(int line, std::string_view wavelength, std::string_view value);
    bool Empty() const { return rows_.empty() && leftOut_.empty(); }

    // The rows interpolated over their span, narrowed to `within` when
    // given; at least one row is needed, and one inside `within`. Where a
    // left-out row lay between two rows, or beyond the last, using the
    // function there refuses with that row's line and fault.
    OpticalFunction Build(std::optional<WavelengthRange> within = std::nullopt) const;

private:
    double Number(int line, std::string_view text, const std::string& what) const;
    void LeaveOut(int line, double wavelength, std::string why);

    Origin origin_;
    std::vector<TableRow> rows_;
    std::vector<LeftOutRow> leftOut_;
};

}  // namespace aurivel::nkdata
