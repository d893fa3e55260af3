// What a page of the database measured, as its catalog name and COMMENTS
// say it: a film and its thickness, a substrate or a coating, the
// temperature, an alloy's composition, and whether the data are a table of
// measurements, a model fitted to them, electron energy-loss constants or a
// calculation.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace aurivel::metal_colour {

enum class PageSource {
    kMeasured,            // optical measurements, as a table
    kModel,               // a model fitted to measurements
    kElectronEnergyLoss,  // from reflection electron energy-loss spectra (Werner's)
    kCalculation,         // computed (density functional theory)
};

struct PageFacts {
    PageSource source = PageSource::kMeasured;
    std::string model;         // "Brendel-Bormann model"; empty unless a model
    bool film = false;         // a film rather than bulk metal
    bool opticallyThick = false;
    std::optional<double> nanometres;  // the film's thickness, when given
    std::string substrate;     // "Si wafer", "SiO2 substrate"; empty when none is named
    std::string coating;       // "gold"; empty when none
    std::optional<double> kelvin;  // the temperature given, if any
    bool liquid = false;
    std::string composition;   // an alloy's or hydride's, e.g. "Cu90Zn10"; empty when none is given

    // A film thinner than light sees through to bulk, or one on a substrate
    // or under a coating: the metal itself is not all that was measured.
    bool ThinOrOnSomething() const;
    // Room temperature unless another temperature is given (15-30 °C counts).
    bool RoomTemperature() const;
    // Short labels for a user: "thin film 25 nm", "on Si wafer", "140 K",
    // "Brendel-Bormann model", "table", ...
    std::vector<std::string> Labels() const;
};

// From the catalog's page name ("Yakubovsky et al. 2017: 25-nm film; n,k
// 0.30–2.0 µm") and the page's COMMENTS as plain text.
PageFacts ReadPageFacts(const std::string& pageName, const std::string& comments);

}  // namespace aurivel::metal_colour
