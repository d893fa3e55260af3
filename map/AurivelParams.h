// The map's one parameter block: its ID, its parameter IDs and its declaration.
#pragma once

#include "max.h"
#include "iparamb2.h"

enum { aurivel_params = 0 };

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

extern ParamBlockDesc2 aurivelParamBlockDesc;
