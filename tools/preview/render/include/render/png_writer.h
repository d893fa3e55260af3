// Writing the linear raster as a PNG file.
#pragma once

#include <cstdint>
#include <string>

#include "render/image.h"

namespace aurivel::preview {

enum class PngEncoding {
    kSrgb8,     // for looking at: 8-bit, sRGB transfer function, sRGB chunk
    kLinear16,  // for checking numbers: 16-bit, round(v * 65535), gamma 1
};

// The sRGB transfer function (IEC 61966-2-1) for a linear value in [0, 1].
double SrgbFromLinear(double linear);
std::uint8_t EncodeSrgb8(float linear);
std::uint16_t EncodeLinear16(float linear);

// Throws ToolError naming the path when the file cannot be written.
void WritePng(const Image& image, const std::string& path, PngEncoding encoding);

}  // namespace aurivel::preview
