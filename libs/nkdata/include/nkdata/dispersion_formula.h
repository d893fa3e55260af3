// The database's dispersion formulas 1 to 9 ("Sellmeier", "Sellmeier-2",
// "Polynomial", "RefractiveIndex.INFO", "Cauchy", "Gases", "Herzberger",
// "Retro", "Exotic"): n from coefficients C1, C2, ... and the wavelength in
// micrometres.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aurivel::nkdata {

// 1 to 9 for "formula 1" to "formula 9"; nothing for any other text.
std::optional<int> FormulaNumber(std::string_view type);

// Why the coefficients cannot serve the formula (more than it takes, or
// none), or an empty text. Coefficients left out are 0.
std::string CoefficientProblem(int formula, const std::vector<double>& coefficients);

// n at the wavelength; NaN or infinite where the formula gives no real,
// finite n (n² < 0, a pole). coefficients[0] is C1.
double FormulaIndex(int formula, const std::vector<double>& coefficients, double micrometres);

}  // namespace aurivel::nkdata
