// Reads PNG files back for checking, independently of the tool's writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace aurivel::preview::test_support {

struct PngPixels {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    bool hasSrgbChunk = false;
    std::vector<std::uint16_t> samples;  // RGB, row by row, at the file's depth

    std::uint16_t Sample(int x, int y, int channel) const {
        return samples[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) *
                           3 +
                       static_cast<std::size_t>(channel)];
    }
};

// Fails the calling test (and returns an empty picture) when the file is not
// an RGB PNG of depth 8 or 16.
PngPixels ReadPng(const std::string& path);

}  // namespace aurivel::preview::test_support
