// The tool's host side: loading Aurivel.dlt and driving its map the way
// 3ds Max does (class descriptor, parameter block by internal names, Update,
// EvalColor from render threads, scene save and load).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/maxscript.h"
#include "render/render.h"
#include "shading/shading_types.h"

namespace aurivel::preview {

struct ParameterInfo {
    std::string name;  // internal name
    std::string type;
    std::string defaultValue;
    std::string range;  // empty when none is declared
};

struct ModuleInfo {
    std::string path;
    std::string description;
    unsigned long version = 0;
    std::string className;
    std::string category;
    unsigned long classIdA = 0;
    unsigned long classIdB = 0;
    unsigned long superClassId = 0;
    std::vector<ParameterInfo> parameters;
};

// One map made by the module. It must not outlive the PreviewModule that made it.
class PreviewMap {
public:
    class Impl;
    explicit PreviewMap(std::unique_ptr<Impl> impl);
    PreviewMap(PreviewMap&&) noexcept;
    ~PreviewMap();

    // As a script sets "name = value", the value as typed: a number, or for
    // "preset" also a preset's name. Throws UsageError for an unknown name or
    // a value the parameter cannot hold.
    void SetParameter(const std::string& name, const std::string& value);
    // A Custom map with these constants: preset 0, then the six values.
    void SetCustomConstants(const OpticalConstants& constants);
    // The same for constants from measured data, where a value the map
    // cannot hold is the data's fault: a ToolError naming the source.
    void SetMeasuredConstants(const OpticalConstants& constants, const std::string& source);

    // The preset value at time 0 and the combo box item names from the
    // module's string table, index 0 being "Custom".
    int Preset() const;
    std::vector<std::wstring> PresetNames() const;
    OpticalConstants Constants(int time) const;
    // The preset, and the other parameters at that time.
    MapSettings Settings(int time) const;

    // The host's Update before rendering at that time.
    void Update(int time);
    // Shaders for render threads: each evaluates this map with its own shade
    // context. Valid until the next Update or change.
    ShaderFactory Shaders() const;

    void Save(const std::string& path) const;

private:
    std::unique_ptr<Impl> impl_;
};

class PreviewModule {
public:
    // Throws ToolError when the file is not a module with a texture map class.
    static PreviewModule Open(const std::string& path);
    PreviewModule(PreviewModule&&) noexcept;
    ~PreviewModule();

    ModuleInfo Info() const;
    PreviewMap CreateMap() const;
    // Scripts for maps of the module's class, from what its new maps hold.
    MapScriptWriter ScriptWriter() const;
    // Throws ToolError naming the file when it cannot be read or holds no map.
    PreviewMap LoadMap(const std::string& path) const;

private:
    class Impl;
    explicit PreviewModule(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace aurivel::preview
