// n and k of one material against vacuum wavelength, as a data file or a
// database page gives them: tables interpolated linearly, or dispersion
// formulas, each defined over the wavelengths its data cover.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace aurivel::nkdata {

// A closed interval of vacuum wavelengths in micrometres.
struct WavelengthRange {
    double shortest = 0.0;
    double longest = 0.0;
    bool Contains(double micrometres) const { return shortest <= micrometres && micrometres <= longest; }
};

// A row of a table that cannot be used (a negative value, a wavelength out
// of order): left out of the table, and refused only where the data are
// used near it.
struct LeftOutRow {
    int line = 0;
    double micrometres = 0.0;
    std::string why;  // "negative n -256.29294"
    // The kept rows around it (infinite where none is), between which the
    // table would stand in for the row.
    WavelengthRange between;

    bool Needed(double w) const { return w == micrometres || (between.shortest < w && w < between.longest); }
    bool NeededWithin(WavelengthRange range) const {
        return range.Contains(micrometres) || (between.shortest < range.longest && range.shortest < between.longest);
    }
};

// n or k over the wavelengths where the data define it.
struct OpticalFunction {
    WavelengthRange range;
    std::function<double(double micrometres)> at;  // called only inside range
    std::vector<LeftOutRow> leftOut;              // rows of its table that it does without
};

struct NkData {
    std::string source;      // the file or database page, as messages name it
    std::string references;  // the data's REFERENCES as plain text; empty when none
    OpticalFunction n;
    OpticalFunction k;     // data without k give k = 0 over n's range
    std::string comments;  // the data's COMMENTS (sample, conditions, model) as plain text; empty when none
};

// "file:line: why (at 700500 µm, left out)" for each row that n's and k's
// tables left out, which a tool reports beside what it made of the data.
std::vector<std::string> LeftOutRows(const NkData& data);

// Whether n and k are both defined over all of `needed`.
bool Covers(const NkData& data, WavelengthRange needed);

// Throws DataError (nk_error.h) naming the row left out where the needed
// wavelengths would use it, else the quantity whose data fall short, the
// wavelengths they cover and the wavelengths needed.
void RequireCoverage(const NkData& data, WavelengthRange needed);

}  // namespace aurivel::nkdata
