#include "host/host.h"

#include "base/errors.h"
#include "base/numbers.h"
#include "base/wide_text.h"
#include "max.h"
#include "presets/parameter_names.h"
#include "standin/param_declarations.h"
#include "standin/plugin_library.h"
#include "standin/scene_file.h"
#include "standin/shade_context.h"
#include "utf/utf.h"

namespace aurivel::preview {
namespace {

// Room for a string resource, as the host loads them.
constexpr int kStringCapacity = 256;

std::string Text(const MCHAR* text) { return text != nullptr ? utf::Utf8FromWide(text) : std::string(); }

std::wstring LoadModuleString(ClassDesc* classDesc, StringResID id) {
    wchar_t buffer[kStringCapacity] = {};
    const int length = LoadStringW(classDesc->HInstance(), static_cast<UINT>(id), buffer, kStringCapacity);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool IsCombo(const ParamDef& def) { return def.ctrl_type == TYPE_INT_COMBOBOX && !standin::Items(def).empty(); }

std::string TypeName(const ParamDef& def) {
    switch (static_cast<int>(def.type)) {
        case TYPE_FLOAT:
            return "float";
        case TYPE_INT:
            return IsCombo(def) ? "int (list)" : "int";
        case TYPE_REFTARG:
            return "reference";
        default:
            return "other";
    }
}

std::string DefaultText(ClassDesc* classDesc, const ParamDef& def) {
    if (!standin::HasDefault(def)) {
        return "none";
    }
    if (static_cast<int>(def.type) == TYPE_FLOAT) {
        return ShortestDecimal(def.def.f);
    }
    for (std::size_t i = 0; IsCombo(def) && i < standin::ItemValues(def).size() && i < standin::Items(def).size(); ++i) {
        if (standin::ItemValues(def)[i] == def.def.i) {
            return std::to_string(def.def.i) + " (" + utf::Utf8FromWide(LoadModuleString(classDesc, standin::Items(def)[i])) + ")";
        }
    }
    return std::to_string(def.def.i);
}

std::string RangeText(const ParamDef& def) {
    if (standin::HasRange(def) && static_cast<int>(def.type) == TYPE_FLOAT) {
        return ShortestDecimal(def.range_low.f) + " to " + ShortestDecimal(def.range_high.f);
    }
    if (standin::HasRange(def)) {
        return std::to_string(def.range_low.i) + " to " + std::to_string(def.range_high.i);
    }
    if (IsCombo(def)) {
        return "one of " + std::to_string(standin::Items(def).size()) + " list items";
    }
    return "";
}

ParameterInfo DescribeParameter(ClassDesc* classDesc, const ParamDef& def) {
    return {Text(def.int_name), TypeName(def), DefaultText(classDesc, def), RangeText(def)};
}

template <typename T>
T Parsed(const std::string& name, const std::string& text, const char* kind) {
    const std::optional<T> value = ParseNumber<T>(text);
    if (!value && OutOfRange<T>(text)) {
        throw UsageError(name + ": '" + text +
                         "' is out of range: too large, or too close to 0, for " + kind + " that the map holds");
    }
    if (!value) {
        throw UsageError(name + ": '" + text + "' is not " + kind);
    }
    return *value;
}

// Renders through the map's own EvalColor with a shade context of its own.
class MapShader : public SampleShader {
public:
    explicit MapShader(Texmap& map) : map_(map) {}

    Rgb Shade(const SphereSample& sample) override {
        context_.normal = Point3(sample.normal.x, sample.normal.y, sample.normal.z);
        context_.view = Point3(sample.view.x, sample.view.y, sample.view.z);
        const AColor c = map_.EvalColor(context_);
        return {c.r, c.g, c.b};
    }

private:
    Texmap& map_;
    standin::SimpleShadeContext context_;
};

}  // namespace

// ---------------------------------------------------------------------------

class PreviewMap::Impl {
public:
    Impl(ClassDesc* classDesc, Texmap* map) : classDesc_(classDesc), map_(map) {}
    ~Impl() { map_->DeleteMe(); }

    Texmap& Map() const { return *map_; }
    IParamBlock2& Block() const {
        IParamBlock2* block = map_->GetParamBlock(0);
        if (block == nullptr) {
            throw ToolError("the map has no parameter block");
        }
        return *block;
    }

    // Parameters are looked up by internal name, case-insensitively, as
    // MAXScript does.
    const ParamDef& Find(const std::string& name) const {
        ParamBlockDesc2* desc = Block().GetDesc();
        for (const ParamDef& def : standin::DefsOf(*desc)) {
            if (def.int_name != nullptr && SameNameIgnoringCase(def.int_name, name)) {
                return def;
            }
        }
        std::string known;
        for (const ParamDef& def : standin::DefsOf(*desc)) {
            known += (known.empty() ? "" : ", ") + Text(def.int_name);
        }
        throw UsageError("no parameter '" + name + "' (the map has: " + known + ")");
    }

    std::vector<std::wstring> ItemNames(const ParamDef& def) const {
        std::vector<std::wstring> names;
        for (StringResID id : standin::Items(def)) {
            names.push_back(LoadModuleString(classDesc_, id));
        }
        return names;
    }

    void SetFloat(const ParamDef& def, float value) const {
        if (standin::HasRange(def) && (value < def.range_low.f || value > def.range_high.f)) {
            throw UsageError(Text(def.int_name) + " must be from " + ShortestDecimal(def.range_low.f) + " to " +
                             ShortestDecimal(def.range_high.f));
        }
        Store(def, Block().SetValue(def.ID, 0, value));
    }

    void SetInt(const ParamDef& def, int value) const { Store(def, Block().SetValue(def.ID, 0, value)); }

    void SetList(const ParamDef& def, const std::string& text) const {
        const std::vector<std::wstring> names = ItemNames(def);
        std::string known;
        for (std::size_t i = 0; i < names.size() && i < standin::ItemValues(def).size(); ++i) {
            if (SameNameIgnoringCase(names[i], text) || std::to_string(standin::ItemValues(def)[i]) == text) {
                SetInt(def, standin::ItemValues(def)[i]);
                return;
            }
            known += (known.empty() ? "" : ", ") + utf::Utf8FromWide(names[i]);
        }
        throw UsageError("unknown " + Text(def.int_name) + " '" + text + "' (one of: " + known + ")");
    }

    float Value(const std::string& name, int time) const {
        float value = 0.0f;
        Interval valid = FOREVER;
        Block().GetValue(Find(name).ID, time, value, valid);
        return value;
    }

private:
    static void Store(const ParamDef& def, BOOL stored) {
        if (!stored) {
            throw ToolError("the map refused a value for " + Text(def.int_name));
        }
    }

    ClassDesc* classDesc_;
    Texmap* map_;
};

PreviewMap::PreviewMap(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PreviewMap::PreviewMap(PreviewMap&&) noexcept = default;
PreviewMap::~PreviewMap() = default;

void PreviewMap::SetParameter(const std::string& name, const std::string& value) {
    const ParamDef& def = impl_->Find(name);
    if (IsCombo(def)) {
        impl_->SetList(def, value);
        return;
    }
    if (static_cast<int>(def.type) == TYPE_FLOAT) {
        impl_->SetFloat(def, Parsed<float>(name, value, "a number"));
    } else if (static_cast<int>(def.type) == TYPE_INT) {
        impl_->SetInt(def, Parsed<int>(name, value, "a whole number"));
    } else {
        throw UsageError("'" + name + "' cannot be set from the command line");
    }
}

void PreviewMap::SetCustomConstants(const OpticalConstants& constants) {
    impl_->SetInt(impl_->Find(kPresetParameter.narrow), 0);
    const float values[6] = {constants.nr, constants.ng, constants.nb, constants.kr, constants.kg, constants.kb};
    for (int i = 0; i < 6; ++i) {
        impl_->SetFloat(impl_->Find(kOpticalConstantParameters[i]), values[i]);
    }
}

void PreviewMap::SetMeasuredConstants(const OpticalConstants& constants, const std::string& source) {
    try {
        SetCustomConstants(constants);
    } catch (const UsageError& e) {
        throw ToolError(source + ": " + e.what());
    }
}

int PreviewMap::Preset() const { return impl_->Block().GetInt(impl_->Find(kPresetParameter.narrow).ID, 0); }

std::vector<std::wstring> PreviewMap::PresetNames() const { return impl_->ItemNames(impl_->Find(kPresetParameter.narrow)); }

OpticalConstants PreviewMap::Constants(int time) const {
    float v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = impl_->Value(kOpticalConstantParameters[i], time);
    }
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

MapSettings PreviewMap::Settings(int time) const {
    return {Preset(), Constants(time), impl_->Value(kGammaParameter.narrow, time),
            impl_->Value(kHueParameter.narrow, time), impl_->Value(kSatParameter.narrow, time)};
}

void PreviewMap::Update(int time) {
    Interval valid = FOREVER;
    impl_->Map().Update(time, valid);
}

ShaderFactory PreviewMap::Shaders() const {
    Texmap* map = &impl_->Map();
    return [map] { return std::make_unique<MapShader>(*map); };
}

void PreviewMap::Save(const std::string& path) const {
    std::string error;
    if (standin::SaveScene(path, &impl_->Map(), &error) != IO_OK) {
        throw ToolError("cannot save " + path + ": " + error);
    }
}

// ---------------------------------------------------------------------------

class PreviewModule::Impl {
public:
    // The library lists its classes in the host's class directory while it is
    // loaded, which is how scene loading finds the map class.
    Impl(std::string path, std::unique_ptr<standin::PluginLibrary> library, ClassDesc* classDesc)
        : path_(std::move(path)), library_(std::move(library)), classDesc_(classDesc) {}

    const std::string& Path() const { return path_; }
    standin::PluginLibrary& Library() const { return *library_; }
    ClassDesc* Class() const { return classDesc_; }

    // The map class's objects are texture maps: the host reaches them as
    // reference targets and, by their super class, as Texmap.
    PreviewMap Adopt(ReferenceTarget* object, const std::string& source) const {
        if (object == nullptr) {
            throw ToolError(source + ": no object was made");
        }
        if (object->SuperClassID() != TEXMAP_CLASS_ID || object->ClassID() != classDesc_->ClassID()) {
            object->DeleteMe();
            throw ToolError(source + ": holds no " + Text(classDesc_->ClassName()) + " map");
        }
        return PreviewMap(std::make_unique<PreviewMap::Impl>(classDesc_, static_cast<Texmap*>(object)));
    }

private:
    std::string path_;
    std::unique_ptr<standin::PluginLibrary> library_;
    ClassDesc* classDesc_;
};

PreviewModule::PreviewModule(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PreviewModule::PreviewModule(PreviewModule&&) noexcept = default;
PreviewModule::~PreviewModule() = default;

PreviewModule PreviewModule::Open(const std::string& path) {
    std::string error;
    std::unique_ptr<standin::PluginLibrary> library = standin::PluginLibrary::Load(utf::WideFromUtf8(path), &error);
    if (!library) {
        throw ToolError(error);
    }
    for (int i = 0; i < library->NumClasses(); ++i) {
        ClassDesc* classDesc = library->Class(i);
        if (classDesc != nullptr && classDesc->SuperClassID() == TEXMAP_CLASS_ID) {
            return PreviewModule(std::make_unique<Impl>(path, std::move(library), classDesc));
        }
    }
    throw ToolError(path + " offers no texture map class");
}

ModuleInfo PreviewModule::Info() const {
    ClassDesc* cd = impl_->Class();
    ModuleInfo info;
    info.path = impl_->Path();
    info.description = utf::Utf8FromWide(impl_->Library().Description());
    info.version = impl_->Library().Version();
    info.className = Text(cd->ClassName());
    info.category = Text(cd->Category());
    info.classIdA = cd->ClassID().PartA();
    info.classIdB = cd->ClassID().PartB();
    info.superClassId = cd->SuperClassID();
    for (int b = 0; b < cd->NumParamBlockDescs(); ++b) {
        for (const ParamDef& def : standin::DefsOf(*cd->GetParamBlockDesc(b))) {
            info.parameters.push_back(DescribeParameter(cd, def));
        }
    }
    return info;
}

PreviewMap PreviewModule::CreateMap() const {
    ClassDesc* cd = impl_->Class();
    return impl_->Adopt(static_cast<ReferenceTarget*>(cd->Create(FALSE)), Text(cd->ClassName()) + "'s Create");
}

MapScriptWriter PreviewModule::ScriptWriter() const {
    PreviewMap map = CreateMap();
    const MapSettings newMap = map.Settings(0);
    std::vector<OpticalConstants> presetConstants;
    for (std::size_t preset = 0; preset < map.PresetNames().size(); ++preset) {
        PreviewMap fresh = CreateMap();
        fresh.SetParameter(kPresetParameter.narrow, std::to_string(preset));
        presetConstants.push_back(fresh.Constants(0));
    }
    return MapScriptWriter(Info().className, newMap, std::move(presetConstants));
}

PreviewMap PreviewModule::LoadMap(const std::string& path) const {
    IOResult result = IO_ERROR;
    std::string error;
    ReferenceTarget* root = standin::LoadScene(path, &result, &error);
    if (root == nullptr || result != IO_OK) {
        throw ToolError(error);
    }
    return impl_->Adopt(root, path);
}

}  // namespace aurivel::preview
