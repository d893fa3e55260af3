// Writes the scene loader's starting corpus: scenes of the kinds a user
// makes, each saved as the host saves it.
//   make_scene_corpus <directory>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "iparamb2.h"
#include "loaded_module.h"
#include "map/AurivelParams.h"
#include "standin/scene_file.h"

namespace {

Texmap* Edited() {
    Texmap* map = aurivel_fuzz::NewMap();
    IParamBlock2* block = map->GetParamBlock(0);
    block->SetValue(pb_preset, 0, 3);
    block->SetValue(pb_kr, 0, 1.25f);
    block->SetValue(pb_hue, 0, -30.0f);
    block->SetValue(pb_sat, 0, 20.0f);
    block->SetValue(pb_gamma, 0, 2.2f);
    map->SetName(L"Brass \u00e9\U0001F600");
    map->gbufID = 7;
    return map;
}

Texmap* Animated() {
    Texmap* map = aurivel_fuzz::NewMap();
    IParamBlock2* block = map->GetParamBlock(0);
    AnimateOn();
    block->SetValue(pb_gamma, 160, 1.8f);
    block->SetValue(pb_gamma, 320, 0.6f);
    block->SetValue(pb_hue, -80, 45.0f);
    block->SetValue(pb_preset, 480, 9);
    AnimateOff();
    static_cast<TextureOutput*>(map->GetReference(1))->SetOutputLevel(0, 0.5f);
    return map;
}

// map -> sub-map -> its sub-map; the innermost shares the outer map's
// output object.
Texmap* Nested() {
    Texmap* map = Edited();
    Texmap* inner = Animated();
    Texmap* innermost = aurivel_fuzz::NewMap();
    innermost->ReplaceReference(1, map->GetReference(1));
    inner->SetSubTexmap(0, innermost);
    map->SetSubTexmap(0, inner);
    return map;
}

bool Write(const std::string& directory, const std::string& name, Texmap* map) {
    std::vector<unsigned char> bytes;
    std::string error;
    const bool saved = standin::SaveSceneToBytes(map, bytes, SIZE_MAX, &error) == IO_OK;
    map->DeleteThis();
    if (!saved) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    std::ofstream file(directory + "/" + name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    aurivel_fuzz::LoadedModule();
    const std::string directory = argv[1];
    const bool written = Write(directory, "default.scene", aurivel_fuzz::NewMap()) &&
                         Write(directory, "edited.scene", Edited()) && Write(directory, "animated.scene", Animated()) &&
                         Write(directory, "nested.scene", Nested());
    return written ? 0 : 1;
}
