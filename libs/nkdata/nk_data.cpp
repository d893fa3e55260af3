#include "nkdata/nk_data.h"

#include <algorithm>

#include "nkdata/nk_error.h"

namespace aurivel::nkdata {
namespace {

bool Within(WavelengthRange outer, WavelengthRange inner) {
    return outer.Contains(inner.shortest) && outer.Contains(inner.longest);
}

std::string Span(WavelengthRange range) {
    return Decimal(range.shortest) + " to " + Decimal(range.longest) + " \xC2\xB5m";
}

// Light that a metal's colour comes from lies below 1 µm; data that begin
// above 100 "µm" are far more likely visible light in nanometres.
std::string NanometreHint(WavelengthRange range) {
    constexpr double kLikelyNanometres = 100.0;
    return range.shortest >= kLikelyNanometres
               ? " (wavelengths are read in \xC2\xB5m; these look like nm: 400 nm is 0.4 \xC2\xB5m)"
               : "";
}

}  // namespace

std::vector<std::string> LeftOutRows(const NkData& data) {
    std::vector<std::string> rows;
    for (const OpticalFunction* function : {&data.n, &data.k}) {
        for (const LeftOutRow& row : function->leftOut) {
            const std::string text = data.source + ":" + std::to_string(row.line) + ": " + row.why + " (at " +
                                     Decimal(row.micrometres) + " \xC2\xB5m, left out)";
            // A row out of order is left out of the n and the k table alike.
            if (std::find(rows.begin(), rows.end(), text) == rows.end()) {
                rows.push_back(text);
            }
        }
    }
    return rows;
}

bool Covers(const NkData& data, WavelengthRange needed) {
    return Within(data.n.range, needed) && Within(data.k.range, needed);
}

void RequireCoverage(const NkData& data, WavelengthRange needed) {
    for (const OpticalFunction* function : {&data.n, &data.k}) {
        for (const LeftOutRow& row : function->leftOut) {
            if (row.NeededWithin(needed)) {
                Fail(data.source, row.line, row.why);
            }
        }
    }
    for (const auto& [name, function] : {std::pair{"n", &data.n}, std::pair{"k", &data.k}}) {
        if (!Within(function->range, needed)) {
            Fail(data.source, 0,
                 std::string("the data give ") + name + " from " + Span(function->range) + ", not over all of " +
                     Span(needed) + " as needed" + NanometreHint(function->range));
        }
    }
}

}  // namespace aurivel::nkdata
