// MAXScript that makes Aurivel maps: what --maxscript prints, what the
// atlas's cards copy and what its metals.ms defines, from one writer.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "shading/shading_types.h"

namespace aurivel::preview {

// A number as MAXScript's literal grammar has it: plain decimals ("0.05",
// "-180"), or with a fractional part before any exponent ("2.0e-5",
// "1.0e30"), never "2e-05"; the shortest such text that reads back as the
// same float. For a finite value.
std::string MaxScriptNumber(float v);

// What a map's block holds, as a script sets it.
struct MapSettings {
    int preset = 0;
    OpticalConstants constants{};
    float gamma = 0.0f;
    float hue = 0.0f;
    float sat = 0.0f;
};

// Scripts start from a new map of the module's class and set only what
// differs from it.
class MapScriptWriter {
public:
    // presetConstants[i] is what a new map's six constants become when its
    // preset is set to i (for Custom, the new map's own).
    MapScriptWriter(std::string className, MapSettings newMap, std::vector<OpticalConstants> presetConstants);

    // A Custom map with these constants, all else as a new map has it.
    MapSettings CustomMap(const OpticalConstants& constants) const;

    // "variable = Aurivel()", then "variable.name = value" for each parameter
    // in which the map differs from a new one: the preset as its number, for
    // Custom all six constants (else those that differ from what the preset
    // writes), gamma, hue and sat, each number as MaxScriptNumber writes it. Each line begins with indent. Throws
    // ToolError naming a value that is NaN or infinite, which MAXScript
    // cannot read.
    void WriteMap(const MapSettings& map, const std::string& variable, const std::string& indent,
                  std::ostream& out) const;

    // WriteMap's lines for "aurivelMap", and a comment that shows how to put
    // the map into a Material Editor slot.
    std::string Script(const MapSettings& map) const;

private:
    std::string className_;
    MapSettings newMap_;
    std::vector<OpticalConstants> presetConstants_;
};

// The same for a map that a function defined beforehand (metals.ms's, which
// 3ds Max loads at start-up from the package) makes: "aurivelMap = function()"
// and the comment.
std::string FunctionCallScript(const std::string& function);

}  // namespace aurivel::preview
