#include "shading/power_lanes.h"

#include "shading/power_detail.h"

namespace aurivel::power_lanes {
namespace {

constexpr Pair Twice(double v) { return Pair{{v, v}}; }

}  // namespace

namespace tables = kernel::power_tables;
namespace detail = kernel::power_detail;

const Pair kLog2Fast[6] = {Twice(tables::kLog2Fast[0]), Twice(tables::kLog2Fast[1]), Twice(tables::kLog2Fast[2]),
                           Twice(tables::kLog2Fast[3]), Twice(tables::kLog2Fast[4]), Twice(tables::kLog2Fast[5])};
const Pair kExp2Fast[4] = {Twice(tables::kExp2Fast[0]), Twice(tables::kExp2Fast[1]), Twice(tables::kExp2Fast[2]),
                           Twice(tables::kExp2Fast[3])};
const Pair kOne = Twice(1.0);
const Pair kRoundToInteger = Twice(detail::kRoundToInteger);
const Pair kSignBit = Twice(-0.0);
const Pair kNormalRangeMiddle = Twice(detail::kNormalRangeMiddle);
const Pair kNormalRangeHalfWidth = Twice(detail::kNormalRangeHalfWidth);

}  // namespace aurivel::power_lanes
