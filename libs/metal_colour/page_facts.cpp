#include "metal_colour/page_facts.h"

#include <array>
#include <regex>
#include <sstream>
#include <utility>

namespace aurivel::metal_colour {
namespace {

constexpr double kCelsiusZero = 273.15;
constexpr double kRoomLowest = 288.0;   // 15 °C
constexpr double kRoomHighest = 303.5;  // 30 °C

std::optional<std::smatch> Find(const std::string& text, const std::regex& pattern) {
    std::smatch match;
    if (std::regex_search(text, match, pattern)) {
        return match;
    }
    return std::nullopt;
}

bool Mentions(const std::string& text, const char* pattern) {
    return std::regex_search(text, std::regex(pattern, std::regex::icase));
}

PageSource SourceOf(const std::string& pageName, const std::string& comments, std::string& model) {
    if (Mentions(comments, "\\bREELS\\b|electron energy-loss spectroscopy")) {
        return PageSource::kElectronEnergyLoss;
    }
    if (Mentions(pageName, "\\bDFT\\b")) {
        return PageSource::kCalculation;
    }
    if (const auto named = Find(pageName, std::regex("([A-Z][A-Za-z-]+ model)"))) {
        model = (*named)[1];
        return PageSource::kModel;
    }
    if (Mentions(comments, "\\bmodel fitted|fit of experimental data")) {
        model = "a model fitted to measurements";
        return PageSource::kModel;
    }
    return PageSource::kMeasured;
}

// The first "25 nm", "25-nm" or "4.1 nm" in the page name, else in the
// comments: the film's own thickness comes before any layer's.
std::optional<double> NanometresOf(const std::string& pageName, const std::string& comments) {
    static const std::regex nanometres("(\\d+(?:\\.\\d+)?)[- ]?nm\\b");
    for (const std::string* text : {&pageName, &comments}) {
        if (const auto found = Find(*text, nanometres)) {
            return std::stod((*found)[1]);
        }
    }
    return std::nullopt;
}

std::string SubstrateOf(const std::string& pageName, const std::string& comments) {
    static const std::regex onSomething(
        "\\bon (?:an? |the )?((?:[A-Za-z0-9-]+ ){0,5}?(?:substrate|wafer)|quartz|fused silica|glass|"
        "silicon-nitride and glass)\\b");
    if (const auto found = Find(comments, onSomething)) {
        return (*found)[1];
    }
    // "Ag/Ge/SiO2" in the catalog's name: the metal on what follows it.
    static const std::regex layered("\\b[A-Z][a-z]?((?:/[A-Z][A-Za-z0-9]*)+)[;, ]");
    if (const auto found = Find(pageName, layered)) {
        return (*found)[1].str().substr(1);
    }
    return {};
}

std::optional<double> KelvinIn(const std::string& text) {
    static const std::regex kelvin("(-?\\d+(?:\\.\\d+)?) ?K\\b");
    static const std::regex celsius("(-?\\d+(?:\\.\\d+)?) ?\xc2\xb0" "C");
    if (const auto found = Find(text, kelvin)) {
        return std::stod((*found)[1]);
    }
    if (const auto found = Find(text, celsius)) {
        return std::stod((*found)[1]) + kCelsiusZero;
    }
    return std::nullopt;
}

// The catalog's name states the condition that sets a page apart; comments
// may name other temperatures (of annealing), so "room temperature" there
// comes before any number.
std::optional<double> TemperatureOf(const std::string& pageName, const std::string& comments) {
    const std::size_t semicolon = pageName.find(';');
    const std::optional<double> named =
        KelvinIn(semicolon == std::string::npos ? pageName.substr(pageName.find(':') + 1) : pageName);
    if (named || Mentions(comments, "room temperature")) {
        return named;
    }
    return KelvinIn(comments);
}

// "Cu90Zn10" from "90% Cu 10% Zn" or "80% nickel, 20% iron"; the contents
// by weight of a steel as given; a hydride's hydrogen pressure.
std::string CompositionOf(const std::string& pageName, const std::string& comments) {
    static const std::array<std::pair<const char*, const char*>, 2> kNamed{{{"nickel", "Ni"}, {"iron", "Fe"}}};
    static const std::regex share("(\\d+(?:\\.\\d+)?)% ?([A-Z][a-z]?|nickel|iron)\\b");
    for (const std::string* text : {&pageName, &comments}) {
        std::string formula;
        for (auto it = std::sregex_iterator(text->begin(), text->end(), share); it != std::sregex_iterator(); ++it) {
            std::string element = (*it)[2];
            for (const auto& [word, symbol] : kNamed) {
                element = element == word ? symbol : element;
            }
            formula += element + (*it)[1].str();
        }
        if (!formula.empty()) {
            return formula;
        }
    }
    if (const auto found = Find(comments, std::regex("Content by weight: ([^\\n]*[0-9])"))) {
        return std::regex_replace((*found)[1].str(), std::regex(" +"), " ") + " (% by weight)";
    }
    if (const auto found = Find(comments, std::regex("[Hh]ydride, [Uu]nder ([0-9.]+ bar H2)"))) {
        return "hydride under " + (*found)[1].str();
    }
    return {};
}

// "3.96", "150": as the page writes it.
std::string Decimal(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace

bool PageFacts::ThinOrOnSomething() const {
    return (film && !opticallyThick) || !substrate.empty() || !coating.empty();
}

bool PageFacts::RoomTemperature() const { return !kelvin || (*kelvin >= kRoomLowest && *kelvin <= kRoomHighest); }

std::vector<std::string> PageFacts::Labels() const {
    std::vector<std::string> labels;
    switch (source) {
        case PageSource::kMeasured:
            labels.emplace_back("table");
            break;
        case PageSource::kModel:
            labels.push_back(model);
            break;
        case PageSource::kElectronEnergyLoss:
            labels.emplace_back("electron energy-loss (REELS)");
            break;
        case PageSource::kCalculation:
            labels.emplace_back("DFT calculation");
            break;
    }
    if (film) {
        labels.push_back(std::string(opticallyThick ? "optically thick film" : "thin film") +
                         (nanometres ? " " + Decimal(*nanometres) + " nm" : ""));
    }
    if (!substrate.empty()) {
        labels.push_back("on " + substrate);
    }
    if (!coating.empty()) {
        labels.push_back("coated with " + coating);
    }
    if (kelvin) {
        const long rounded = static_cast<long>(*kelvin + 0.5);
        labels.push_back(std::to_string(rounded) + " K" + (RoomTemperature() ? " (room temperature)" : ""));
    }
    if (liquid) {
        labels.emplace_back("liquid");
    }
    if (!composition.empty()) {
        labels.push_back(composition);
    }
    return labels;
}

PageFacts ReadPageFacts(const std::string& pageName, const std::string& comments) {
    PageFacts facts;
    facts.source = SourceOf(pageName, comments, facts.model);
    facts.film = Mentions(pageName + " " + comments, "\\bfilms?\\b|\\bmonolayer\\b|\\bcoating\\b|\\bdeposited\\b");
    facts.opticallyThick = Mentions(comments, "optically[- ]thick");
    facts.nanometres = facts.film ? NanometresOf(pageName, comments) : std::nullopt;
    facts.substrate = SubstrateOf(pageName, comments);
    facts.coating = Mentions(pageName + " " + comments, "gold-coated|protective [^.]*gold layer|gold layer on top")
                        ? "gold"
                        : "";
    facts.kelvin = TemperatureOf(pageName, comments);
    facts.liquid = Mentions(pageName + " " + comments, "\\bliquid\\b");
    facts.composition = CompositionOf(pageName, comments);
    return facts;
}

}  // namespace aurivel::metal_colour
