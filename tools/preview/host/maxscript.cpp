#include "host/maxscript.h"

#include <array>
#include <cmath>
#include <cstring>
#include <sstream>
#include <utility>

#include "base/errors.h"
#include "base/numbers.h"
#include "presets/parameter_names.h"

namespace aurivel::preview {

namespace {

// The last lines of a script that leaves its map in aurivelMap.
constexpr const char* kSlotHint =
    "-- To see the map in the Material Editor, put it into a slot (this replaces what slot 1 holds):\n"
    "-- meditMaterials[1] = aurivelMap\n";

constexpr int kCustom = 0;

// Compared as stored: a script that sets a value equal to the new map's
// changes nothing, so the value need not be set.
bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::array<float, 6> Values(const OpticalConstants& c) { return {c.nr, c.ng, c.nb, c.kr, c.kg, c.kb}; }

// A scene may hold what no script can set: MAXScript reads no NaN or
// infinity, so a map holding one has no script.
void RequireScriptable(const MapSettings& map) {
    const std::array<float, 6> constants = Values(map.constants);
    std::vector<std::pair<const char*, float>> values;
    for (std::size_t i = 0; i < constants.size(); ++i) {
        values.emplace_back(kOpticalConstantParameters[i], constants[i]);
    }
    values.insert(
        values.end(),
        {{kGammaParameter.narrow, map.gamma}, {kHueParameter.narrow, map.hue}, {kSatParameter.narrow, map.sat}});
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            throw ToolError(std::string("the map's ") + name + " is " + ShortestDecimal(value) +
                            ", which MAXScript cannot read");
        }
    }
}

}  // namespace

std::string MaxScriptNumber(float v) {
    const std::string shortest = ShortestDecimal(v);
    const std::size_t e = shortest.find('e');
    if (e == std::string::npos) {
        return shortest;
    }
    std::string mantissa = shortest.substr(0, e);
    if (mantissa.find('.') == std::string::npos) {
        mantissa += ".0";
    }
    const bool negative = shortest[e + 1] == '-';
    const std::size_t digits = shortest.find_first_not_of("+-0", e + 1);
    return mantissa + (negative ? "e-" : "e") + shortest.substr(digits);
}

MapScriptWriter::MapScriptWriter(std::string className, MapSettings newMap,
                                 std::vector<OpticalConstants> presetConstants)
    : className_(std::move(className)), newMap_(newMap), presetConstants_(std::move(presetConstants)) {}

MapSettings MapScriptWriter::CustomMap(const OpticalConstants& constants) const {
    MapSettings map = newMap_;
    map.preset = kCustom;
    map.constants = constants;
    return map;
}

void MapScriptWriter::WriteMap(const MapSettings& map, const std::string& variable, const std::string& indent,
                               std::ostream& out) const {
    const auto set = [&](const char* name, const std::string& value) {
        out << indent << variable << '.' << name << " = " << value << '\n';
    };
    RequireScriptable(map);
    out << indent << variable << " = " << className_ << "()\n";
    OpticalConstants before = newMap_.constants;
    if (map.preset != newMap_.preset) {
        set(kPresetParameter.narrow, std::to_string(map.preset));
        if (map.preset >= 0 && static_cast<std::size_t>(map.preset) < presetConstants_.size()) {
            before = presetConstants_[static_cast<std::size_t>(map.preset)];
        }
    }
    const std::array<float, 6> values = Values(map.constants);
    const std::array<float, 6> unset = Values(before);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (map.preset == kCustom || !SameBits(values[i], unset[i])) {
            set(kOpticalConstantParameters[i], MaxScriptNumber(values[i]));
        }
    }
    const struct {
        const char* name;
        float value, newValue;
    } adjustments[] = {{kGammaParameter.narrow, map.gamma, newMap_.gamma},
                       {kHueParameter.narrow, map.hue, newMap_.hue},
                       {kSatParameter.narrow, map.sat, newMap_.sat}};
    for (const auto& a : adjustments) {
        if (!SameBits(a.value, a.newValue)) {
            set(a.name, MaxScriptNumber(a.value));
        }
    }
}

std::string MapScriptWriter::Script(const MapSettings& map) const {
    std::ostringstream out;
    WriteMap(map, "aurivelMap", "", out);
    return out.str() + kSlotHint;
}

std::string FunctionCallScript(const std::string& function) { return "aurivelMap = " + function + "()\n" + kSlotHint; }

}  // namespace aurivel::preview
