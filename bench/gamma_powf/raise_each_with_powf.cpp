// The gamma step of the benchmarks' peer modules: each channel raised by
// another powf, AURIVEL_BENCH_POWF, which bench/CMakeLists.txt names. The
// module's own objects come before the shading library on the link line, so
// this definition is the one that its EvalColor calls, and power.cpp's stays
// out of the module (were it pulled in, the link would fail on the second
// definition).
#include <cmath>

#include "exact_power/llvm_powf.h"
#include "shading/power.h"

namespace aurivel {

PowerTriple RaiseEachToPower(float a, float b, float c, float y) {
    return PowerTriple{AURIVEL_BENCH_POWF(a, y), AURIVEL_BENCH_POWF(b, y), AURIVEL_BENCH_POWF(c, y)};
}

}  // namespace aurivel
