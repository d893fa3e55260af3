// The map's one parameter block: its ID, its parameter IDs and its
// declaration, and the map's references that the declaration names.
#pragma once

#include <cmath>

#include "max.h"
#include "iparamb2.h"
#include "presets/preset_table.h"

enum { aurivel_params = 0 };

// The map's references, in the host's numbering: the block's declaration
// names the first two, the block's own and the output object's.
enum AurivelRefNumber : int { kRefParams = 0, kRefTexout = 1, kRefSubMap = 2, kNumRefs = 3 };

// ID 10 is unassigned: "output" answers to 11 at parameter index 10.
enum AurivelParamID : ParamID {
    pb_preset = 0,
    pb_nr = 1,
    pb_ng = 2,
    pb_nb = 3,
    pb_kr = 4,
    pb_kg = 5,
    pb_kb = 6,
    pb_gamma = 7,
    pb_hue = 8,
    pb_sat = 9,
    pb_output = 11,
};

// The six optical constants, in the order of OpticalConstants.
inline constexpr ParamID kOpticalConstantIDs[] = {pb_nr, pb_ng, pb_nb, pb_kr, pb_kg, pb_kb};

// A float parameter's declared default and range.
struct FloatDeclaration {
    float defaultValue;
    float low;
    float high;
};

// n and k: the default map's, over the map's range of constants.
constexpr FloatDeclaration OpticalConstantDeclaration(float defaultValue) {
    return {defaultValue, aurivel::kOpticalConstantLow, aurivel::kOpticalConstantHigh};
}

inline constexpr FloatDeclaration kNrDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.nr);
inline constexpr FloatDeclaration kNgDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.ng);
inline constexpr FloatDeclaration kNbDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.nb);
inline constexpr FloatDeclaration kKrDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.kr);
inline constexpr FloatDeclaration kKgDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.kg);
inline constexpr FloatDeclaration kKbDeclaration = OpticalConstantDeclaration(aurivel::kDefaultPresetRow.kb);
inline constexpr FloatDeclaration kGammaDeclaration{1.0f, 0.05f, 20.0f};
inline constexpr FloatDeclaration kHueDeclaration{0.0f, -180.0f, 180.0f};
inline constexpr FloatDeclaration kSatDeclaration{0.0f, -100.0f, 100.0f};

// The value that the map evaluates for one that its block holds. A block can
// hold any float (a script or a scene written elsewhere puts it there), and
// keeps it; the map takes a NaN as the parameter's default and an infinity as
// the nearer end of its range, so a render never shows what no setting of the
// rollout could give. Finite values are taken as they are.
inline float EvaluatedValue(float stored, const FloatDeclaration& declared) {
    if (std::isnan(stored)) {
        return declared.defaultValue;
    }
    if (std::isinf(stored)) {
        return stored < 0.0f ? declared.low : declared.high;
    }
    return stored;
}

extern ParamBlockDesc2 aurivelParamBlockDesc;
