// Optical data made up for tests: n and k as given functions of wavelength
// over 0.3-0.9 µm, as a data file would define them.
#pragma once

#include <functional>

#include "nkdata/nk_data.h"

namespace aurivel::metal_colour {

inline nkdata::NkData SyntheticMetal(std::function<double(double)> n, std::function<double(double)> k) {
    const nkdata::WavelengthRange range{0.3, 0.9};
    return {"metal.yml", "", {range, std::move(n), {}}, {range, std::move(k), {}}, ""};
}

inline nkdata::NkData ConstantMetal(double n, double k) {
    return SyntheticMetal([n](double) { return n; }, [k](double) { return k; });
}

}  // namespace aurivel::metal_colour
