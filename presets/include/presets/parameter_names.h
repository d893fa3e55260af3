// The internal names of the map's parameters, by which MAXScript, saved
// scenes' users and the preview tool's --set know them: the parameter block
// declares them, the tool sets and writes them. Scripts rely on them, so
// they never change. The host takes wide (MCHAR) text, the tool narrow
// UTF-8; each name is written once and widened at compile time.
#pragma once

#include <array>
#include <cstddef>

namespace aurivel {

// A name of ASCII characters, as narrow and as wide text.
template <std::size_t Size>
struct ParameterName {
    constexpr explicit ParameterName(const char (&name)[Size]) {
        for (std::size_t i = 0; i < Size; ++i) {
            narrow[i] = name[i];
            wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(name[i]));
        }
    }

    char narrow[Size]{};
    wchar_t wide[Size]{};
};

inline constexpr ParameterName kPresetParameter("preset");
inline constexpr ParameterName kNrParameter("nrvalue");
inline constexpr ParameterName kNgParameter("ngvalue");
inline constexpr ParameterName kNbParameter("nbvalue");
inline constexpr ParameterName kKrParameter("krvalue");
inline constexpr ParameterName kKgParameter("kgvalue");
inline constexpr ParameterName kKbParameter("kbvalue");
inline constexpr ParameterName kGammaParameter("gamma");
inline constexpr ParameterName kHueParameter("hue");
inline constexpr ParameterName kSatParameter("sat");
inline constexpr ParameterName kOutputParameter("output");

// The six optical constants' names, in the order of OpticalConstants.
inline constexpr std::array<const char*, 6> kOpticalConstantParameters{kNrParameter.narrow, kNgParameter.narrow,
                                                                       kNbParameter.narrow, kKrParameter.narrow,
                                                                       kKgParameter.narrow, kKbParameter.narrow};

// The parameters that hold a number, in the block's order: what a script
// or the tool's --set may set.
inline constexpr std::array<const char*, 10> kSettableParameters{
    kPresetParameter.narrow, kNrParameter.narrow, kNgParameter.narrow,    kNbParameter.narrow,  kKrParameter.narrow,
    kKgParameter.narrow,     kKbParameter.narrow, kGammaParameter.narrow, kHueParameter.narrow, kSatParameter.narrow};

}  // namespace aurivel
