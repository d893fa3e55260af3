// The metal library: one page of the refractiveindex.info database for each
// metal whose data cover 380-780 nm with k, and three alloys, as
// data/refractiveindex.info holds them. Of a metal's pages the first found in
// this order of authors is taken: Rakić (Brendel-Bormann model), Johnson and
// Christy, McPeak, Babar, Hagemann, Querry, Palm, Weaver, Smith, Inagaki,
// Mathewson, Werner. Werner's constants come from electron energy-loss
// spectra and are far too bright in the visible (platinum's F0 0.96 against
// the 0.68 of optical measurements), so they come last: only tantalum, which
// has no other page that covers the visible, takes them.
#pragma once

#include <array>

namespace aurivel::metal_colour {

struct MetalPage {
    const char* name;  // as an artist would look for it
    const char* page;  // shelf/book/page in the database
    // Why the fit stays above ΔE2000 0.2 somewhere the colour is in gamut,
    // for the pages where it does; nullptr for the others.
    const char* note = nullptr;
    // Why the data themselves may mislead; nullptr where nothing is known.
    const char* caution = nullptr;
};

inline constexpr std::array<MetalPage, 38> kMetalLibrary{{
    {"Silver", "main/Ag/Rakic-BB"},
    {"Aluminium", "main/Al/Rakic-BB"},
    {"Gold", "main/Au/Rakic-BB",
     "In sRGB the colour lies outside the gamut at 0\xc2\xb0-60\xc2\xb0 (red above 1), and the fit shares its error "
     "with those angles; values that meet 0.2 at 75\xc2\xb0 and 85\xc2\xb0 exist, but raise the error at 0\xc2\xb0."},
    {"Beryllium", "main/Be/Rakic-BB"},
    {"Bismuth", "main/Bi/Hagemann"},
    {"Calcium", "main/Ca/Mathewson"},
    {"Cobalt", "main/Co/Johnson"},
    {"Chromium", "main/Cr/Rakic-BB"},
    {"Caesium", "main/Cs/Smith",
     "Its n stays below 0.6 and its k below 1.8 across the visible, where the map's closed form falls short of the "
     "exact Fresnel reflectance at oblique angles (n 0.27, k 0.85: 0.61 against 0.69 at 60\xc2\xb0)."},
    {"Copper", "main/Cu/Rakic-BB",
     "In sRGB the fit minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, which leaves the grazing angles a little above 0.2; values that keep every "
     "angle within it exist, which the fit does not look for."},
    {"Iron", "main/Fe/Johnson"},
    {"Mercury", "main/Hg/Inagaki"},
    {"Indium", "main/In/Mathewson-298K"},
    {"Iridium", "main/Ir/Schmitt-ALD"},
    {"Potassium", "main/K/Smith",
     "Its n stays below 0.06 and its k below 2.3 across the visible, where the map's closed form falls short of "
     "the exact Fresnel reflectance at oblique angles, and the fit, which minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, leaves one angle a little above 0.2."},
    {"Lithium", "main/Li/Inagaki"},
    {"Lutetium", "main/Lu/Garcia-Cortes"},
    {"Magnesium", "main/Mg/Hagemann"},
    {"Manganese", "main/Mn/Johnson"},
    {"Molybdenum", "main/Mo/Querry"},
    {"Sodium", "main/Na/Smith"},
    {"Niobium", "main/Nb/Weaver"},
    {"Nickel", "main/Ni/Rakic-BB"},
    {"Osmium", "main/Os/Nemoshkalenko-e"},
    {"Lead", "main/Pb/Mathewson-298K"},
    {"Palladium", "main/Pd/Rakic-BB"},
    {"Platinum", "main/Pt/Rakic-BB"},
    {"Rubidium", "main/Rb/Smith",
     "Its n stays below 0.26 and its k below 2 across the visible, where the map's closed form falls short of the "
     "exact Fresnel reflectance at oblique angles."},
    {"Rhodium", "main/Rh/Weaver"},
    {"Tantalum", "main/Ta/Werner", nullptr,
     "Werner's constants come from electron energy-loss spectra, not from optical measurements, and are likely "
     "too bright: platinum's and molybdenum's came out far brighter than optical data give. The database has no "
     "other tantalum page that covers the visible."},
    {"Titanium", "main/Ti/Rakic-BB"},
    {"Vanadium", "main/V/Johnson"},
    {"Tungsten", "main/W/Rakic-BB"},
    {"Zinc", "main/Zn/Querry"},
    {"Zirconium", "main/Zr/Querry"},
    {"Brass (Cu70Zn30)", "other/Cu-Zn/Querry-Cu70Zn30"},
    {"Stainless steel (austenitic)", "other/stainless_steel/Karlsson-austenitic"},
    {"Gold-silver (Au50Ag50)", "other/Au-Ag/Rioux-Au50Ag50",
     "In ACEScg the fit minimises the sum of squared \xce\x94"
     "E over 0\xc2\xb0-89\xc2\xb0, which leaves the grazing angles a little above 0.2; values that keep every "
     "angle within it exist, which the fit does not look for."},
}};

}  // namespace aurivel::metal_colour
