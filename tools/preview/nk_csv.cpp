#include "nk_csv.h"

#include <algorithm>

namespace aurivel::preview {

std::array<float, 3> ChannelValues(const nkdata::OpticalFunction& function) {
    std::array<float, 3> values{};
    std::transform(kChannelWavelengths.begin(), kChannelWavelengths.end(), values.begin(),
                   [&](double w) { return static_cast<float>(function.at(w)); });
    return values;
}

}  // namespace aurivel::preview
