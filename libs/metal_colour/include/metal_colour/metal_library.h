// The metal library: the books of the refractiveindex.info database that
// hold a metal, each with the name an artist would look for, and what is
// known of some of their pages. Every page of these books whose data cover
// 380-780 nm is the atlas's default; the page a book recommends is chosen by
// the rule of recommendation.h.
#pragma once

#include <array>
#include <string>

namespace aurivel::metal_colour {

struct MetalBook {
    const char* book;    // shelf/book in the database
    const char* name;    // as an artist would look for it
    const char* symbol;  // the element's symbol, or the alloy's book ("Cu-Zn")
    bool alloy;
};

// 35 elements of the main shelf, then 7 alloy books.
inline constexpr std::array<MetalBook, 42> kMetalBooks{{
    {"main/Ag", "Silver", "Ag", false},
    {"main/Al", "Aluminium", "Al", false},
    {"main/Au", "Gold", "Au", false},
    {"main/Be", "Beryllium", "Be", false},
    {"main/Bi", "Bismuth", "Bi", false},
    {"main/Ca", "Calcium", "Ca", false},
    {"main/Co", "Cobalt", "Co", false},
    {"main/Cr", "Chromium", "Cr", false},
    {"main/Cs", "Caesium", "Cs", false},
    {"main/Cu", "Copper", "Cu", false},
    {"main/Fe", "Iron", "Fe", false},
    {"main/Hg", "Mercury", "Hg", false},
    {"main/In", "Indium", "In", false},
    {"main/Ir", "Iridium", "Ir", false},
    {"main/K", "Potassium", "K", false},
    {"main/Li", "Lithium", "Li", false},
    {"main/Lu", "Lutetium", "Lu", false},
    {"main/Mg", "Magnesium", "Mg", false},
    {"main/Mn", "Manganese", "Mn", false},
    {"main/Mo", "Molybdenum", "Mo", false},
    {"main/Na", "Sodium", "Na", false},
    {"main/Nb", "Niobium", "Nb", false},
    {"main/Ni", "Nickel", "Ni", false},
    {"main/Os", "Osmium", "Os", false},
    {"main/Pb", "Lead", "Pb", false},
    {"main/Pd", "Palladium", "Pd", false},
    {"main/Pt", "Platinum", "Pt", false},
    {"main/Rb", "Rubidium", "Rb", false},
    {"main/Rh", "Rhodium", "Rh", false},
    {"main/Ta", "Tantalum", "Ta", false},
    {"main/Ti", "Titanium", "Ti", false},
    {"main/V", "Vanadium", "V", false},
    {"main/W", "Tungsten", "W", false},
    {"main/Zn", "Zinc", "Zn", false},
    {"main/Zr", "Zirconium", "Zr", false},
    {"other/Au-Ag", "Gold-silver", "Au-Ag", true},
    {"other/Cu-Zn", "Brass", "Cu-Zn", true},
    {"other/Ni-Fe", "Nickel-iron", "Ni-Fe", true},
    {"other/Pd-H", "Palladium hydride", "Pd-H", true},
    {"other/V-H", "Vanadium hydride", "V-H", true},
    {"other/Zr-H", "Zirconium hydride", "Zr-H", true},
    {"other/stainless_steel", "Stainless steel", "stainless_steel", true},
}};

// The book of a metal named by its English name or symbol ("gold", "Au"), or
// by an alloy's name or book ("brass", "Cu-Zn", "stainless steel"), in any
// case and with spaces, hyphens or underscores alike; nullptr for none.
const MetalBook* FindMetal(const std::string& typed);

// "Aluminium (Al), Beryllium (Be), …": every metal as FindMetal takes it.
std::string MetalNames();

// Why a page's fit stays above ΔE2000 0.2 somewhere the colour is in gamut,
// where the reason is known.
struct PageNote {
    const char* page;  // shelf/book/page
    const char* note;
};

inline constexpr std::array<PageNote, 6> kPageNotes{{
    {"main/Au/Rakic-BB",
     "In sRGB the colour lies outside the gamut at 0\xc2\xb0-60\xc2\xb0 (red above 1), and the fit shares its error "
     "with those angles; values that meet 0.2 at 75\xc2\xb0 and 85\xc2\xb0 exist, but raise the error at 0\xc2\xb0."},
    {"main/Cs/Smith",
     "Its n stays below 0.6 and its k below 1.8 across the visible, where the map's closed form falls short of the "
     "exact Fresnel reflectance at oblique angles (n 0.27, k 0.85: 0.61 against 0.69 at 60\xc2\xb0)."},
    {"main/Cu/Rakic-BB",
     "In sRGB the fit minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, which leaves the grazing angles a little above 0.2; values that keep every "
     "angle within it exist, which the fit does not look for."},
    {"main/K/Smith",
     "Its n stays below 0.06 and its k below 2.3 across the visible, where the map's closed form falls short of "
     "the exact Fresnel reflectance at oblique angles, and the fit, which minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, leaves one angle a little above 0.2."},
    {"main/Rb/Smith",
     "Its n stays below 0.26 and its k below 2 across the visible, where the map's closed form falls short of the "
     "exact Fresnel reflectance at oblique angles."},
    {"other/Au-Ag/Rioux-Au50Ag50",
     "In ACEScg the fit minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, which leaves the grazing angles a little above 0.2; values that keep every "
     "angle within it exist, which the fit does not look for."},
}};

}  // namespace aurivel::metal_colour
