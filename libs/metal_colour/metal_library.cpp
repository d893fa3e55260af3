#include "metal_colour/metal_library.h"

namespace aurivel::metal_colour {
namespace {

// Lower case, with a space, an underscore and a hyphen alike.
std::string Folded(const std::string& text) {
    std::string folded;
    for (const char c : text) {
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : (c == ' ' || c == '_') ? '-' : c;
    }
    return folded;
}

}  // namespace

const MetalBook* FindMetal(const std::string& typed) {
    const std::string folded = Folded(typed);
    for (const MetalBook& metal : kMetalBooks) {
        if (folded == Folded(metal.name) || folded == Folded(metal.symbol)) {
            return &metal;
        }
    }
    return nullptr;
}

std::string MetalNames() {
    std::string names;
    for (const MetalBook& metal : kMetalBooks) {
        names += (names.empty() ? "" : ", ") + std::string(metal.name) + " (" + metal.symbol + ")";
    }
    return names;
}

}  // namespace aurivel::metal_colour
