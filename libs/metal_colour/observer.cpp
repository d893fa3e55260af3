#include "metal_colour/observer.h"

#include "metal_colour/cie_tables.h"

namespace aurivel::metal_colour {

double BandMicrometres(int band) { return (kShortestNanometres + band * kStepNanometres) / 1000.0; }

Observer Observer::Cie1931D65() { return Observer(kCie1931D65); }

Observer::Observer(const CieTable& table) {
    const double whiteY = WhiteLuminance(table);
    for (std::size_t band = 0; band < weights_.size(); ++band) {
        const CieBand& b = table[band];
        const double scale = b.light / whiteY;
        weights_[band] = {b.x * scale, b.y * scale, b.z * scale};
    }
}

Xyz Observer::ColourOf(const Spectrum& reflectance) const {
    Xyz sum;
    for (std::size_t band = 0; band < weights_.size(); ++band) {
        sum.x += reflectance[band] * weights_[band].x;
        sum.y += reflectance[band] * weights_[band].y;
        sum.z += reflectance[band] * weights_[band].z;
    }
    return sum;
}

Xyz Observer::White() const {
    Spectrum one;
    one.fill(1.0);
    return ColourOf(one);
}

}  // namespace aurivel::metal_colour
