// Loads Aurivel.dlt once per test binary, as the host does, and makes maps
// through its class descriptor.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "standin/unimplemented.h"
#include "imtl.h"
#include "iparamb2.h"
#include "map/AurivelParams.h"
#include "max.h"
#include "shading/bit_cast.h"
#include "standin/plugin_library.h"

namespace aurivel_test {

// The preset values the tests choose by name.
inline constexpr int kCustom = 0, kSilver = 1, kGold = 3, kCopper = 6;

// The ten metals as published with their optical constants (n red, n green,
// n blue, k red, k green, k blue), typed in from that table rather than read
// from the module, so that each preset row is checked against them.
struct PublishedMetal {
    int preset;
    std::array<float, 6> constants;
};
inline const PublishedMetal kPublishedMetals[] = {
    {1, {0.049517f, 0.052f, 0.052893f, 4.4114f, 3.2297f, 2.9123f}},
    {2, {1.3424f, 0.82373f, 0.70103f, 7.4737f, 5.9741f, 5.5884f}},
    {3, {0.11114f, 0.615f, 1.2865f, 3.5041f, 1.7816f, 1.5789f}},
    {4, {2.2371f, 1.9304f, 1.8212f, 4.2357f, 3.6228f, 3.4324f}},
    {5, {3.4259f, 2.4904f, 2.219f, 4.2732f, 4.1003f, 3.9736f}},
    {6, {0.27105f, 0.97907f, 1.2171f, 3.6092f, 2.369f, 2.2908f}},
    {7, {2.9114f, 2.8072f, 2.6812f, 3.0893f, 2.8968f, 2.8296f}},
    {8, {2.0592f, 1.728f, 1.6597f, 3.7574f, 3.0549f, 2.8486f}},
    {9, {2.3757f, 1.9839f, 1.902f, 4.2654f, 3.4841f, 3.281f}},
    {10, {2.7407f, 2.4048f, 2.3264f, 3.8143f, 3.2516f, 3.1144f}},
};

inline const std::array<float, 6>& PublishedConstants(int preset) {
    return kPublishedMetals[static_cast<size_t>(preset - 1)].constants;
}

using aurivel::BitsOf;

class Module {
public:
    static standin::PluginLibrary& Library() {
        std::string error;
        standin::PluginLibrary* library = standin::LoadedForTheProcess(L"" AURIVEL_MODULE_PATH, &error);
        if (!library) {
            ADD_FAILURE() << "cannot load Aurivel.dlt: " << error;
            std::abort();
        }
        return *library;
    }

    static ClassDesc2* Desc() { return static_cast<ClassDesc2*>(Library().Class(0)); }

    static Texmap* NewMap() { return static_cast<Texmap*>(static_cast<ReferenceTarget*>(Desc()->Create(FALSE))); }
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
    // The six optical constants at time 0.
    std::array<float, 6> Constants() const {
        std::array<float, 6> values{};
        for (size_t i = 0; i < values.size(); ++i) values[i] = Float(kOpticalConstantIDs[i]);
        return values;
    }
    void Set(ParamID id, float v, TimeValue t = 0) const { Block()->SetValue(id, t, v); }
    void SetInt(ParamID id, int v, TimeValue t = 0) const { Block()->SetValue(id, t, v); }

private:
    Texmap* map;
};

// An output object that passes every value through and holds nothing
// animated; tests override what they watch.
class PassThroughOutput : public standin::Unimplemented<TextureOutput> {
public:
    AColor Filter(AColor c) override { return c; }
    float Filter(float f) override { return f; }
    Point3 Filter(Point3 p) override { return p; }
    float GetOutputLevel(TimeValue) override { return 1.0f; }
    void SetOutputLevel(TimeValue, float) override {}
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
    ParamDlg* CreateParamDlg(HWND, IMtlParams*) override { return nullptr; }
    ReferenceTarget* GetRefTarget() override { return this; }
    Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) override {
        return REF_SUCCEED;
    }
};

}  // namespace aurivel_test
