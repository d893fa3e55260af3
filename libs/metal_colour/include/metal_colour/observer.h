// The CIE 1931 2° standard observer under CIE illuminant D65, from 380 to
// 780 nm at 5 nm steps: the weights that turn a reflectance spectrum into the
// colour an observer sees, with a perfect reflector at Y = 1.
#pragma once

#include <array>
#include <stdexcept>

namespace aurivel::metal_colour {

// A colour table that cannot be read or does not hold what is needed, or
// colour space data that give no colour space.
class SpectralError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kShortestNanometres = 380;
inline constexpr int kLongestNanometres = 780;
inline constexpr int kStepNanometres = 5;
inline constexpr int kBands = (kLongestNanometres - kShortestNanometres) / kStepNanometres + 1;

using Spectrum = std::array<double, kBands>;

// Band i is at 380 + 5 i nm; returned in micrometres, as optical data give it.
double BandMicrometres(int band);

struct Xyz {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// One band of an observer's table.
struct CieBand {
    double x, y, z;  // the colour-matching functions
    double light;    // the illuminant's relative spectral power
};

using CieTable = std::array<CieBand, kBands>;

// The luminance of a perfect reflector under the table's illuminant, before
// it is normalised to 1: no light when it is not above 0.
inline double WhiteLuminance(const CieTable& table) {
    double luminance = 0.0;
    for (const CieBand& band : table) {
        luminance += band.light * band.y;
    }
    return luminance;
}

class Observer {
public:
    // The CIE 1931 2° observer under D65, from the table built in
    // (cie_tables.h).
    static Observer Cie1931D65();

    // The table's weights normalised so that a perfect reflector has Y = 1;
    // its illuminant must give light.
    explicit Observer(const CieTable& table);

    Xyz ColourOf(const Spectrum& reflectance) const;
    // The colour of a perfect reflector: the illuminant's white, Y = 1.
    Xyz White() const;

private:
    std::array<Xyz, kBands> weights_;
};

}  // namespace aurivel::metal_colour
