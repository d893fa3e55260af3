// Writes shading/power_tables.h: the tables and polynomial coefficients of
// the map's power function, each the correctly rounded double (or the
// double-double hi + lo) of its exact value, computed with GNU MPFR at 400
// bits. The output depends on nothing but MPFR's correctly rounded
// functions, so every run gives the same file.
// Usage: make_power_tables [output file]   (standard output without one)
#include <mpfr.h>

#include <cstdio>
#include <cstdint>
#include <string>

#include "shading/bit_cast.h"
#include "table_generator/table_generator.h"

namespace {

constexpr mpfr_prec_t kPrecision = 400;

// The layout that shading/power_detail.h reads: the logarithm's cells split
// the reduced argument z in [0x1.66p-1, 0x1.66p+0) into 256 cells of equal
// width in the float encoding, starting at the bit pattern kLogOffset.
constexpr std::uint32_t kLogOffset = 0x3f330000u;
constexpr int kLogCellBits = 8;
constexpr int kLogCells = 1 << kLogCellBits;
constexpr int kLogCellShift = 23 - kLogCellBits;
constexpr int kLogFastTerms = 6;
constexpr int kLogAccurateTerms = 13;
constexpr int kExpCells = 128;
// The fast exponential's polynomial: degree 3, interpolating 2^(f/128) at
// the Chebyshev points of f in [-1/2, 1/2].
constexpr int kExpFastDegree = 3;
constexpr int kExpAccurateTerms = 9;

class Real {
public:
    Real() { mpfr_init2(v_, kPrecision); }
    ~Real() { mpfr_clear(v_); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;
    mpfr_ptr get() { return v_; }

private:
    mpfr_t v_;
};

std::string Hex(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", v);
    return text;
}

// The double nearest to v, and the double nearest to what remains.
struct Split {
    double hi, lo;
};

Split SplitOf(mpfr_ptr v) {
    Real rest;
    const double hi = mpfr_get_d(v, MPFR_RNDN);
    mpfr_sub_d(rest.get(), v, hi, MPFR_RNDN);
    return Split{hi, mpfr_get_d(rest.get(), MPFR_RNDN)};
}

// 1/c for the centre c of a cell, rounded to 29 significant bits, so that
// z * invc is exact in double for every 24-bit z. The two cells next to 1
// use c = 1: there log2(x) is small, and a table term would cancel with the
// polynomial's.
double CellInverse(int cell) {
    const std::uint32_t first = kLogOffset + (static_cast<std::uint32_t>(cell) << kLogCellShift);
    if (first == 0x3f800000u || first + (1u << kLogCellShift) == 0x3f800000u) {
        return 1.0;
    }
    const double centre = aurivel::FloatFromBits(first + (1u << (kLogCellShift - 1)));
    Real inverse;
    mpfr_set_d(inverse.get(), 1.0, MPFR_RNDN);
    mpfr_div_d(inverse.get(), inverse.get(), centre, MPFR_RNDN);
    mpfr_prec_round(inverse.get(), 29, MPFR_RNDN);
    return mpfr_get_d(inverse.get(), MPFR_RNDN);
}

void InverseLn2(mpfr_ptr out) {
    mpfr_const_log2(out, MPFR_RNDN);
    mpfr_ui_div(out, 1, out, MPFR_RNDN);
}

// (-1)^(n+1) / (n ln 2): the coefficient of r^n in log2(1 + r).
void Log2Coefficient(int n, mpfr_ptr out) {
    InverseLn2(out);
    mpfr_div_si(out, out, n % 2 == 1 ? n : -n, MPFR_RNDN);
}

// (ln 2 / 128)^m / m!: the coefficient of f^m in 2^(f / 128).
void Exp2Coefficient(int m, mpfr_ptr out) {
    Real step;
    mpfr_const_log2(step.get(), MPFR_RNDN);
    mpfr_div_ui(step.get(), step.get(), kExpCells, MPFR_RNDN);
    mpfr_pow_ui(out, step.get(), static_cast<unsigned long>(m), MPFR_RNDN);
    Real factorial;
    mpfr_fac_ui(factorial.get(), static_cast<unsigned long>(m), MPFR_RNDN);
    mpfr_div(out, out, factorial.get(), MPFR_RNDN);
}

// The coefficient of f^m of the polynomial of degree kExpFastDegree that
// equals 2^(f/128) at the Chebyshev points f_i = cos((2i + 1) pi / (2 N)) / 2,
// N = kExpFastDegree + 1: Newton's divided differences, then the Newton form
// multiplied out one factor (f - f_i) at a time.
void ChebyshevExp2Coefficient(int m, mpfr_ptr out) {
    constexpr int kPoints = kExpFastDegree + 1;
    Real points[kPoints], differences[kPoints], coefficients[kPoints], product;
    for (int i = 0; i < kPoints; ++i) {
        mpfr_const_pi(points[i].get(), MPFR_RNDN);
        mpfr_mul_si(points[i].get(), points[i].get(), 2 * i + 1, MPFR_RNDN);
        mpfr_div_si(points[i].get(), points[i].get(), 2 * kPoints, MPFR_RNDN);
        mpfr_cos(points[i].get(), points[i].get(), MPFR_RNDN);
        mpfr_div_2ui(points[i].get(), points[i].get(), 1, MPFR_RNDN);
        mpfr_div_ui(differences[i].get(), points[i].get(), kExpCells, MPFR_RNDN);
        mpfr_ui_pow(differences[i].get(), 2, differences[i].get(), MPFR_RNDN);
    }
    for (int order = 1; order < kPoints; ++order) {
        for (int i = kPoints - 1; i >= order; --i) {
            mpfr_sub(differences[i].get(), differences[i].get(), differences[i - 1].get(), MPFR_RNDN);
            mpfr_sub(product.get(), points[i].get(), points[i - order].get(), MPFR_RNDN);
            mpfr_div(differences[i].get(), differences[i].get(), product.get(), MPFR_RNDN);
        }
    }
    for (Real& c : coefficients) {
        mpfr_set_zero(c.get(), 1);
    }
    mpfr_set(coefficients[0].get(), differences[kPoints - 1].get(), MPFR_RNDN);
    for (int i = kPoints - 2; i >= 0; --i) {
        for (int k = kPoints - 1; k >= 0; --k) {
            mpfr_mul(product.get(), coefficients[k].get(), points[i].get(), MPFR_RNDN);
            if (k > 0) {
                mpfr_sub(coefficients[k].get(), coefficients[k - 1].get(), product.get(), MPFR_RNDN);
            } else {
                mpfr_neg(coefficients[k].get(), product.get(), MPFR_RNDN);
            }
        }
        mpfr_add(coefficients[0].get(), coefficients[0].get(), differences[i].get(), MPFR_RNDN);
    }
    mpfr_set(out, coefficients[m].get(), MPFR_RNDN);
}

void WriteLogTables(std::FILE* out) {
    std::fprintf(out, "// Per cell of the logarithm: invc, a 29-bit 1/c for a point c of the cell,\n");
    std::fprintf(out, "// and log2(1/invc) split into the nearest double and the rest.\n");
    std::fprintf(out, "inline constexpr LogCell kLogCells[%d] = {\n", kLogCells);
    Split logs[kLogCells];
    for (int i = 0; i < kLogCells; ++i) {
        const double invc = CellInverse(i);
        Real log;
        mpfr_set_d(log.get(), invc, MPFR_RNDN);
        mpfr_log2(log.get(), log.get(), MPFR_RNDN);
        mpfr_neg(log.get(), log.get(), MPFR_RNDN);
        if (mpfr_zero_p(log.get()) != 0) {
            mpfr_set_zero(log.get(), 1);  // +0, not -log2(1)
        }
        logs[i] = SplitOf(log.get());
        std::fprintf(out, "    {%s, %s},\n", Hex(invc).c_str(), Hex(logs[i].hi).c_str());
    }
    std::fprintf(out, "};\n\ninline constexpr double kLogCellTails[%d] = {\n", kLogCells);
    for (const Split& s : logs) {
        std::fprintf(out, "    %s,\n", Hex(s.lo).c_str());
    }
    std::fprintf(out, "};\n\n");
}

void WriteExpTable(std::FILE* out) {
    std::fprintf(out, "// 2^(j/128) split into the nearest double and the rest.\n");
    std::fprintf(out, "inline constexpr DoubleDouble kExp2Cells[%d] = {\n", kExpCells);
    for (int j = 0; j < kExpCells; ++j) {
        Real v;
        mpfr_set_si(v.get(), j, MPFR_RNDN);
        mpfr_div_ui(v.get(), v.get(), kExpCells, MPFR_RNDN);
        mpfr_ui_pow(v.get(), 2, v.get(), MPFR_RNDN);
        const Split s = SplitOf(v.get());
        std::fprintf(out, "    {%s, %s},\n", Hex(s.hi).c_str(), Hex(s.lo).c_str());
    }
    std::fprintf(out, "};\n\n");
}

template <class Coefficient>
void WriteCoefficients(std::FILE* out, const char* name, int first, int last, bool split, Coefficient coefficient) {
    std::fprintf(out, "inline constexpr %s %s[%d] = {", split ? "DoubleDouble" : "double", name, last - first + 1);
    for (int n = first; n <= last; ++n) {
        Real v;
        coefficient(n, v.get());
        const Split s = SplitOf(v.get());
        if (split) {
            std::fprintf(out, "\n    {%s, %s},", Hex(s.hi).c_str(), Hex(s.lo).c_str());
        } else {
            std::fprintf(out, "\n    %s,", Hex(s.hi).c_str());
        }
    }
    std::fprintf(out, "\n};\n\n");
}

void WriteHeader(std::FILE* out) {
    std::fprintf(out,
                 "// Generated by tools/power_tables/make_power_tables.cpp (GNU MPFR, 400 bits);\n"
                 "// do not edit. Every value is the nearest double to the exact constant, and\n"
                 "// a DoubleDouble's lo is the nearest double to what its hi leaves.\n\n"
                 "#pragma once\n\n"
                 "// clang-format off\n"
                 "namespace aurivel::kernel::power_tables {\n\n"
                 "struct DoubleDouble {\n    double hi, lo;\n};\n\n"
                 "struct LogCell {\n    double invc, log2c;\n};\n\n");
    WriteLogTables(out);
    WriteExpTable(out);
    std::fprintf(out, "// Coefficients of r^1 .. r^%d of log2(1 + r).\n", kLogFastTerms);
    WriteCoefficients(out, "kLog2Fast", 1, kLogFastTerms, false, Log2Coefficient);
    std::fprintf(out, "// Coefficients of r^1 .. r^%d of log2(1 + r).\n", kLogAccurateTerms);
    WriteCoefficients(out, "kLog2Accurate", 1, kLogAccurateTerms, true, Log2Coefficient);
    std::fprintf(out, "// Coefficients of f^0 .. f^%d of the polynomial that equals 2^(f/128) at the\n",
                 kExpFastDegree);
    std::fprintf(out, "// %d Chebyshev points of f in [-1/2, 1/2].\n", kExpFastDegree + 1);
    WriteCoefficients(out, "kExp2Fast", 0, kExpFastDegree, false, ChebyshevExp2Coefficient);
    std::fprintf(out, "// Coefficients of f^0 .. f^%d of 2^(f/128).\n", kExpAccurateTerms);
    WriteCoefficients(out, "kExp2Accurate", 0, kExpAccurateTerms, true, Exp2Coefficient);
    std::fprintf(out, "}  // namespace aurivel::kernel::power_tables\n");
}

}  // namespace

int main(int argc, char** argv) { return aurivel::table_generator::Run(argc, argv, "make_power_tables", WriteHeader); }
