// n and k of one material against vacuum wavelength, as a data file or a
// database page gives them: tables interpolated linearly, or dispersion
// formulas, each defined over the wavelengths its data cover.
#pragma once

#include <functional>
#include <string>

namespace aurivel::nkdata {

// A closed interval of vacuum wavelengths in micrometres.
struct WavelengthRange {
    double shortest = 0.0;
    double longest = 0.0;
    bool Contains(double micrometres) const { return shortest <= micrometres && micrometres <= longest; }
};

// n or k over the wavelengths where the data define it.
struct OpticalFunction {
    WavelengthRange range;
    std::function<double(double micrometres)> at;  // called only inside range
};

struct NkData {
    std::string source;      // the file or database page, as messages name it
    std::string references;  // the data's REFERENCES as plain text; empty when none
    OpticalFunction n;
    OpticalFunction k;     // data without k give k = 0 over n's range
    std::string comments;  // the data's COMMENTS (sample, conditions, model) as plain text; empty when none
};

// Whether n and k are both defined over all of `needed`.
bool Covers(const NkData& data, WavelengthRange needed);

// Throws DataError (nk_error.h) naming the quantity whose data fall short,
// the wavelengths they cover and the wavelengths needed.
void RequireCoverage(const NkData& data, WavelengthRange needed);

}  // namespace aurivel::nkdata
