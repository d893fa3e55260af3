// What the host finds in Aurivel.dlt: its exports, its one class, its strings.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "module_fixture/module_fixture.h"
#include "standin/param_declarations.h"

namespace aurivel_test {
namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    const std::string command = "nm -DC --defined-only '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        text.erase(text.find_last_not_of("\r\n") + 1);
        // "address type name"; only code and data count as exports.
        const size_t typePos = text.find(' ');
        if (typePos == std::string::npos || typePos + 2 >= text.size()) continue;
        const char type = text[typePos + 1];
        if (type == 'T' || type == 'D' || type == 'B' || type == 'R' || type == 'W')
            names.insert(text.substr(typePos + 3));
    }
    pclose(pipe);
    return names;
}

TEST(ModuleAnswers, ExportsExactlyTheSixEntryPoints) {
    const std::set<std::string> expected = {"LibDescription()", "LibNumberClasses()", "LibClassDesc(int)",
                                            "LibVersion()",     "LibInitialize()",    "LibShutdown()"};
    EXPECT_EQ(DefinedDynamicSymbols(AURIVEL_MODULE_PATH), expected);
}

TEST(ModuleAnswers, VersionClassesAndInitialisation) {
    const auto& lib = Module::Library().RawExports();
    // 3ds Max 2024's and 2026's SDK versions.
    EXPECT_EQ(lib.libVersion(), MAX_PRODUCT_YEAR_NUMBER == 2026 ? 0x6D604400u : 0x65904000u);
    EXPECT_EQ(lib.libVersion(), static_cast<ULONG>(VERSION_3DSMAX));
    EXPECT_EQ(lib.libNumberClasses(), 1);
    EXPECT_EQ(lib.libInitialize(), TRUE);
    EXPECT_EQ(lib.libShutdown(), TRUE);
    ClassDesc* desc = lib.libClassDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(lib.libClassDesc(0), desc);
    for (int other : {1, -1, 2, 1000}) EXPECT_EQ(lib.libClassDesc(other), nullptr) << other;
}

TEST(ModuleAnswers, DescriptorIdentity) {
    ClassDesc* desc = Module::Library().Class(0);
    EXPECT_EQ(desc->IsPublic(), TRUE);
    EXPECT_STREQ(desc->ClassName(), L"Aurivel");
    EXPECT_STREQ(desc->NonLocalizedClassName(), L"Aurivel");
    EXPECT_STREQ(desc->InternalName(), L"Aurivel");
    EXPECT_STREQ(desc->Category(), L"Standard");
    EXPECT_EQ(desc->SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    EXPECT_EQ(desc->SuperClassID(), 0xC10u);
    EXPECT_EQ(desc->ClassID(), Class_ID(0x9F6ECB34, 0x768F22AB));
    EXPECT_EQ(desc->HInstance(), Module::Library().Handle());
}

TEST(ModuleAnswers, DescriptionAndClassNameShareOneBuffer) {
    const auto& lib = Module::Library().RawExports();
    const TCHAR* description = lib.libDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, L"Aurivel IOR TexMap");
    const TCHAR* className = lib.libClassDesc(0)->ClassName();
    EXPECT_EQ(className, description);
    EXPECT_STREQ(description, L"Aurivel");
}

struct StringCase {
    UINT id;
    const wchar_t* text;
};

TEST(ModuleAnswers, StringTable) {
    const StringCase table[] = {
        {1, L"Aurivel IOR TexMap"},
        {2, L"Standard"},
        {3, L"Aurivel"},
        {4, L"Parameters"},
        {5, L"nRvalue"},
        {6, L"nGvalue"},
        {7, L"nBvalue"},
        {8, L"kRvalue"},
        {9, L"kGvalue"},
        {10, L"kBvalue"},
        {11, L"Presets"},
        {12, L"Custom"},
        {13, L"Silver"},
        {14, L"Aluminium"},
        {15, L"Gold"},
        {16, L"Cobalt"},
        {17, L"Chromium"},
        {18, L"Copper"},
        {19, L"Iron"},
        {20, L"Nickel"},
        {21, L"Platinum"},
        {22, L"Titanium"},
        {23, L"Gamma"},
        {24, L"Hue"},
        {25, L"Saturation"},
        {26, L"Homepage"},
        {27, L"Output"},
    };
    const HINSTANCE module = Module::Library().Handle();
    for (const StringCase& c : table) {
        WCHAR buffer[256] = {};
        EXPECT_GT(LoadStringW(module, c.id, buffer, 256), 0) << c.id;
        EXPECT_STREQ(buffer, c.text) << c.id;
    }
    WCHAR buffer[256] = {};
    EXPECT_EQ(LoadStringW(module, 28, buffer, 256), 0);
    EXPECT_EQ(LoadStringW(module, 0, buffer, 256), 0);
}

// The block declaration as published for the host's scripting, scene files
// and rollout: typed in from that table, not read from the module.
TEST(ModuleAnswers, BlockHeader) {
    ASSERT_EQ(Module::Desc()->NumParamBlockDescs(), 1);
    ParamBlockDesc2& block = *Module::Desc()->GetParamBlockDesc(0);
    EXPECT_EQ(block.ID, 0);
    EXPECT_STREQ(block.int_name.data(), L"params");
    EXPECT_EQ(block.local_name, 0);
    EXPECT_EQ(block.flags, P_AUTO_CONSTRUCT | P_AUTO_UI);
    EXPECT_EQ(block.ref_no, 0);
    EXPECT_EQ(block.dlg_template, 101);
    EXPECT_EQ(block.title, 4);
    EXPECT_EQ(block.test_flags, 0);
    EXPECT_EQ(block.rollup_flags, 0);
    std::vector<ParamID> order;
    for (int i = 0; i < block.Count(); ++i) order.push_back(block.IndextoID(i));
    EXPECT_EQ(order, (std::vector<ParamID>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}));
}

struct PublishedSpinner {
    ParamID id;
    const wchar_t* name;
    StringResID displayName;
    float defaultValue, low, high;
    int edit, spinner;
    float scale;
};

TEST(ModuleAnswers, SpinnerParameters) {
    const PublishedSpinner table[] = {
        {1, L"nrvalue", 5, 0.27105f, 0.0f, 100.0f, 1490, 1496, 0.001f},
        {2, L"ngvalue", 6, 0.97907f, 0.0f, 100.0f, 1491, 1497, 0.001f},
        {3, L"nbvalue", 7, 1.2171f, 0.0f, 100.0f, 1492, 1498, 0.001f},
        {4, L"krvalue", 8, 3.6092f, 0.0f, 100.0f, 1493, 1499, 0.001f},
        {5, L"kgvalue", 9, 2.369f, 0.0f, 100.0f, 1494, 1500, 0.001f},
        {6, L"kbvalue", 10, 2.2908f, 0.0f, 100.0f, 1495, 1501, 0.001f},
        {7, L"gamma", 23, 1.0f, 0.05f, 20.0f, 1502, 1503, 0.01f},
        {8, L"hue", 24, 0.0f, -180.0f, 180.0f, 1504, 1505, 0.1f},
        {9, L"sat", 25, 0.0f, -100.0f, 100.0f, 1506, 1507, 0.1f},
    };
    ParamBlockDesc2& block = *Module::Desc()->GetParamBlockDesc(0);
    for (const PublishedSpinner& want : table) {
        SCOPED_TRACE(want.id);
        ASSERT_GE(block.IDtoIndex(want.id), 0);
        const ParamDef& def = block.GetParamDef(want.id);
        EXPECT_STREQ(def.int_name, want.name);
        EXPECT_EQ(static_cast<int>(def.type), TYPE_FLOAT);
        EXPECT_EQ(def.flags, P_ANIMATABLE);
        EXPECT_EQ(def.local_name, want.displayName);
        EXPECT_TRUE(standin::HasDefault(def));
        EXPECT_EQ(def.def.f, want.defaultValue);
        EXPECT_TRUE(standin::HasRange(def));
        EXPECT_EQ(def.range_low.f, want.low);
        EXPECT_EQ(def.range_high.f, want.high);
        EXPECT_EQ(def.ctrl_type, TYPE_SPINNER);
        EXPECT_EQ(def.spin_type, EDITTYPE_FLOAT);
        EXPECT_EQ(standin::ControlIds(def), (std::vector<int>{want.edit, want.spinner}));
        EXPECT_EQ(def.scale, want.scale);
    }
}

TEST(ModuleAnswers, PresetParameterIsAComboBoxThatResetsToCopper) {
    const ParamDef& def = Module::Desc()->GetParamBlockDesc(0)->GetParamDef(0);
    EXPECT_STREQ(def.int_name, L"preset");
    EXPECT_EQ(static_cast<int>(def.type), TYPE_INT);
    EXPECT_EQ(def.flags, P_ANIMATABLE | P_RESET_DEFAULT);
    EXPECT_EQ(def.local_name, 11);
    EXPECT_TRUE(standin::HasDefault(def));
    EXPECT_EQ(def.def.i, 6);
    EXPECT_FALSE(standin::HasRange(def));
    EXPECT_EQ(def.ctrl_type, TYPE_INT_COMBOBOX);
    EXPECT_EQ(standin::ControlIds(def), std::vector<int>{1001});
    EXPECT_EQ(standin::Items(def), (std::vector<StringResID>{12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
    EXPECT_EQ(standin::ItemValues(def), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(ModuleAnswers, OutputParameterNamesTheMapsReferenceOne) {
    const ParamDef& def = Module::Desc()->GetParamBlockDesc(0)->GetParamDef(11);
    EXPECT_STREQ(def.int_name, L"output");
    EXPECT_EQ(static_cast<int>(def.type), TYPE_REFTARG);
    EXPECT_EQ(def.flags, P_OWNERS_REF);
    EXPECT_EQ(def.local_name, 27);
    EXPECT_FALSE(standin::HasDefault(def));
    EXPECT_FALSE(standin::HasRange(def));
    EXPECT_EQ(def.ctrl_type, -1);
    EXPECT_EQ(def.ref_no, 1);
}

}  // namespace
}  // namespace aurivel_test
