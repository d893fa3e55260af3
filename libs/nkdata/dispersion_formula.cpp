#include "nkdata/dispersion_formula.h"

#include <cmath>

namespace aurivel::nkdata {
namespace {

// How many coefficients each formula takes, by formula number.
constexpr int kCoefficientCount[10] = {0, 17, 17, 17, 17, 11, 11, 6, 4, 6};

// C1, C2, ... as the formula document numbers them; those left out are 0.
class Coefficients {
public:
    explicit Coefficients(const std::vector<double>& values) : values_(values) {}
    double operator()(int i) const {
        return static_cast<std::size_t>(i) <= values_.size() ? values_[static_cast<std::size_t>(i) - 1] : 0.0;
    }

private:
    const std::vector<double>& values_;
};

// A term whose coefficient is 0 (as every one left out is) adds nothing,
// even where its other factor has a pole or overflows.
double Term(double coefficient, double factor) { return coefficient == 0.0 ? 0.0 : coefficient * factor; }

// C_i λ²/(λ² - p_i) for i = 2, 4, ..., 16, where the pole p_i is C_{i+1}²
// (formula 1) or C_{i+1} (formula 2).
double SellmeierTerms(const Coefficients& c, double lambda, bool squaredPoles) {
    const double l2 = lambda * lambda;
    double sum = 0.0;
    for (int i = 2; i <= 16; i += 2) {
        const double pole = squaredPoles ? c(i + 1) * c(i + 1) : c(i + 1);
        sum += Term(c(i), l2 / (l2 - pole));
    }
    return sum;
}

// C_i λ^C_{i+1} for i = first, first + 2, ..., last.
double PowerTerms(const Coefficients& c, double lambda, int first, int last) {
    double sum = 0.0;
    for (int i = first; i <= last; i += 2) {
        sum += Term(c(i), std::pow(lambda, c(i + 1)));
    }
    return sum;
}

double Formula4Squared(const Coefficients& c, double lambda) {
    const double l2 = lambda * lambda;
    return c(1) + Term(c(2), std::pow(lambda, c(3)) / (l2 - std::pow(c(4), c(5)))) +
           Term(c(6), std::pow(lambda, c(7)) / (l2 - std::pow(c(8), c(9)))) + PowerTerms(c, lambda, 10, 16);
}

double Gases(const Coefficients& c, double lambda) {
    const double inverseSquare = 1.0 / (lambda * lambda);
    double sum = 1.0 + c(1);
    for (int i = 2; i <= 10; i += 2) {
        sum += Term(c(i), 1.0 / (c(i + 1) - inverseSquare));
    }
    return sum;
}

double Herzberger(const Coefficients& c, double lambda) {
    const double l2 = lambda * lambda;
    const double l = 1.0 / (l2 - 0.028);
    return c(1) + Term(c(2), l) + Term(c(3), l * l) + Term(c(4), l2) + Term(c(5), l2 * l2) + Term(c(6), l2 * l2 * l2);
}

// The formula gives (n² - 1)/(n² + 2) = x, so n² = (1 + 2x)/(1 - x).
double RetroSquared(const Coefficients& c, double lambda) {
    const double l2 = lambda * lambda;
    const double x = c(1) + Term(c(2), l2 / (l2 - c(3))) + Term(c(4), l2);
    return (1.0 + 2.0 * x) / (1.0 - x);
}

double ExoticSquared(const Coefficients& c, double lambda) {
    const double shifted = lambda - c(5);
    return c(1) + Term(c(2), 1.0 / (lambda * lambda - c(3))) + Term(c(4), shifted / (shifted * shifted + c(6)));
}

}  // namespace

std::optional<int> FormulaNumber(std::string_view type) {
    constexpr std::string_view kPrefix = "formula ";
    if (type.size() == kPrefix.size() + 1 && type.substr(0, kPrefix.size()) == kPrefix && type.back() >= '1' &&
        type.back() <= '9') {
        return type.back() - '0';
    }
    return std::nullopt;
}

std::string CoefficientProblem(int formula, const std::vector<double>& coefficients) {
    const int most = kCoefficientCount[formula];
    if (coefficients.empty()) {
        return "formula " + std::to_string(formula) + " has no coefficients";
    }
    if (coefficients.size() > static_cast<std::size_t>(most)) {
        return "formula " + std::to_string(formula) + " takes at most " + std::to_string(most) + " coefficients, not " +
               std::to_string(coefficients.size());
    }
    return {};
}

double FormulaIndex(int formula, const std::vector<double>& coefficients, double micrometres) {
    const Coefficients c(coefficients);
    const double lambda = micrometres;
    switch (formula) {
        case 1:
            return std::sqrt(1.0 + c(1) + SellmeierTerms(c, lambda, true));
        case 2:
            return std::sqrt(1.0 + c(1) + SellmeierTerms(c, lambda, false));
        case 3:
            return std::sqrt(c(1) + PowerTerms(c, lambda, 2, 16));
        case 4:
            return std::sqrt(Formula4Squared(c, lambda));
        case 5:
            return c(1) + PowerTerms(c, lambda, 2, 10);
        case 6:
            return Gases(c, lambda);
        case 7:
            return Herzberger(c, lambda);
        case 8:
            return std::sqrt(RetroSquared(c, lambda));
        case 9:
            return std::sqrt(ExoticSquared(c, lambda));
        default:
            return std::nan("");
    }
}

}  // namespace aurivel::nkdata
