// Scene files from anywhere, up to the largest scene the host reads: a load
// either fails cleanly or yields objects that save again, read back to the
// same scene and end without a leak; a loaded map renders.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input_limit.h"
#include "loaded_module.h"
#include "require.h"
#include "standin/scene_file.h"
#include "standin/shade_context.h"

namespace {

std::vector<unsigned char> SaveOrDie(ReferenceTarget* root) {
    std::vector<unsigned char> bytes;
    std::string error;
    const IOResult saved = standin::SaveSceneToBytes(root, bytes, SIZE_MAX, &error);
    if (saved != IO_OK) std::fprintf(stderr, "save after load: %s\n", error.c_str());
    FUZZ_REQUIRE(saved == IO_OK);
    return bytes;
}

ReferenceTarget* Load(const unsigned char* data, size_t size) {
    IOResult result = IO_OK;
    std::string error;
    ReferenceTarget* root = standin::LoadSceneFromBytes(data, size, &result, &error);
    FUZZ_REQUIRE((root != nullptr) == (result == IO_OK));
    FUZZ_REQUIRE((root != nullptr) == error.empty());
    return root;
}

// What a host does first with a map it has read: brings it to a frame and
// renders a sample. The colour is not checked: the loaded output object may
// scale it by any amount, as the host's output filter does.
void Render(ReferenceTarget* root) {
    auto* desc = static_cast<ClassDesc*>(aurivel_fuzz::LoadedModule().Class(0));
    if (root->SuperClassID() != desc->SuperClassID() || root->ClassID() != desc->ClassID()) return;
    auto* map = static_cast<Texmap*>(root);
    Interval valid = FOREVER;
    map->Update(0, valid);
    standin::SimpleShadeContext sc(Point3(0.0f, 0.0f, 1.0f), Point3(0.0f, -0.6f, -0.8f));
    map->EvalColor(sc);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    aurivel_fuzz::LimitInputLength(argc, argv, standin::kLargestScene);
    aurivel_fuzz::LoadedModule();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReferenceTarget* root = Load(data, size);
    if (!root) return 0;
    const std::vector<unsigned char> saved = SaveOrDie(root);
    Render(root);
    root->DeleteThis();

    // What the host wrote itself is a scene it reads back whole, to the
    // same bytes.
    ReferenceTarget* reloaded = Load(saved.data(), saved.size());
    FUZZ_REQUIRE(reloaded != nullptr);
    FUZZ_REQUIRE(SaveOrDie(reloaded) == saved);
    reloaded->DeleteThis();
    return 0;
}
