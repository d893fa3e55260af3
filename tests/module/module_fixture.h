// Loads Aurivel.dlt once per test binary, as the host does, and makes maps
// through its class descriptor.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "iparamb2.h"
#include "max.h"
#include "standin/plugin_library.h"

namespace aurivel_test {

// Parameter IDs and resource IDs as the host addresses them.
enum : ParamID { kPreset = 0, kNr, kNg, kNb, kKr, kKg, kKb, kGamma, kHue, kSat, kOutput = 11 };
inline constexpr ParamID kConstantIDs[] = {kNr, kNg, kNb, kKr, kKg, kKb};

struct Row {
    float values[6];
};
inline constexpr Row kCopper = {{0.27105f, 0.97907f, 1.2171f, 3.6092f, 2.369f, 2.2908f}};
inline constexpr Row kGold = {{0.11114f, 0.615f, 1.2865f, 3.5041f, 1.7816f, 1.5789f}};
inline constexpr Row kSilver = {{0.049517f, 0.052f, 0.052893f, 4.4114f, 3.2297f, 2.9123f}};

inline uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

class Module {
public:
    static standin::PluginLibrary& Library() {
        static std::unique_ptr<standin::PluginLibrary> library = Load();
        return *library;
    }

    static ClassDesc2* Desc() { return static_cast<ClassDesc2*>(Library().Class(0)); }

    static Texmap* NewMap() { return static_cast<Texmap*>(static_cast<ReferenceTarget*>(Desc()->Create(FALSE))); }

private:
    static std::unique_ptr<standin::PluginLibrary> Load() {
        std::string error;
        auto library = standin::PluginLibrary::Load(AURIVEL_MODULE_PATH, &error);
        if (!library) {
            ADD_FAILURE() << "cannot load Aurivel.dlt: " << error;
            std::abort();
        }
        return library;
    }
};

// Owns a map for the length of a test, ending it through the host's protocol.
class MapHandle {
public:
    MapHandle() : map(Module::NewMap()) {}
    explicit MapHandle(Texmap* m) : map(m) {}
    ~MapHandle() {
        if (map) map->DeleteThis();
    }
    MapHandle(const MapHandle&) = delete;
    MapHandle& operator=(const MapHandle&) = delete;

    Texmap* operator->() const { return map; }
    Texmap* get() const { return map; }
    IParamBlock2* Block() const { return map->GetParamBlock(0); }

    float Float(ParamID id, TimeValue t = 0) const {
        float v = 0.0f;
        Interval valid = FOREVER;
        Block()->GetValue(id, t, v, valid);
        return v;
    }
    void Set(ParamID id, float v, TimeValue t = 0) const { Block()->SetValue(id, t, v); }
    void SetInt(ParamID id, int v, TimeValue t = 0) const { Block()->SetValue(id, t, v); }

private:
    Texmap* map;
};

}  // namespace aurivel_test
