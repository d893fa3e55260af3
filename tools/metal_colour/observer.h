// The CIE 1931 2° standard observer under CIE illuminant D65, from 380 to
// 780 nm at 5 nm steps: the weights that turn a reflectance spectrum into the
// colour an observer sees, with a perfect reflector at Y = 1.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace aurivel::spectral {

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

// Debian's colord-data ships both tables as CGATS/IT8 files.
inline constexpr const char* kColordObserverFile = "/usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf";
inline constexpr const char* kColordIlluminantFile = "/usr/share/colord/illuminant/CIE-D65.sp";

class Observer {
public:
    // Reads the colour-matching functions (three sets x, y, z) and the
    // illuminant (one set) through Little CMS's IT8 reader. Throws
    // SpectralError naming the file when it cannot be read or lacks a band.
    static Observer FromFiles(const std::string& matchingFunctionsFile = kColordObserverFile,
                              const std::string& illuminantFile = kColordIlluminantFile);

    Xyz ColourOf(const Spectrum& reflectance) const;
    // The colour of a perfect reflector: the illuminant's white, Y = 1.
    Xyz White() const;

private:
    explicit Observer(const std::array<Xyz, kBands>& weights) : weights_(weights) {}
    std::array<Xyz, kBands> weights_;
};

}  // namespace aurivel::spectral
