#include "render/png_writer.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/errors.h"
#include "files/output_file.h"

namespace aurivel::preview {
namespace {

double Clamp01(float v) {
    // NaN also ends up at 0 rather than as an undefined integer conversion.
    return v > 0.0f ? std::min(static_cast<double>(v), 1.0) : 0.0;
}

template <typename Sample, typename Encode>
std::vector<Sample> EncodePixels(const Image& image, Encode encode) {
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()) * 3);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& p = image.At(x, y);
            samples.push_back(encode(p.r));
            samples.push_back(encode(p.g));
            samples.push_back(encode(p.b));
        }
    }
    return samples;
}

void WriteSamples(const Image& image, const std::string& path, png_uint_32 format, const void* samples) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width());
    png.height = static_cast<png_uint_32>(image.Height());
    png.format = format;
    // The simplified writer tags 8-bit output with the sRGB chunk and 16-bit
    // output with a linear gamma, which is what each encoding holds. The
    // first call only measures the file.
    png_alloc_size_t size = 0;
    std::vector<unsigned char> bytes;
    if (png_image_write_to_memory(&png, nullptr, &size, 0, samples, 0, nullptr) != 0) {
        bytes.resize(size);
    }
    if (bytes.empty() || png_image_write_to_memory(&png, bytes.data(), &size, 0, samples, 0, nullptr) == 0) {
        throw ToolError("cannot write " + path + ": " + png.message);
    }
    try {
        files::WriteWholeFile(path, bytes.data(), size);
    } catch (const files::FileError& e) {
        throw ToolError(e.what());
    }
}

}  // namespace

double SrgbFromLinear(double linear) {
    if (linear <= 0.0031308) {
        return 12.92 * linear;
    }
    return 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

std::uint8_t EncodeSrgb8(float linear) {
    return static_cast<std::uint8_t>(std::lround(SrgbFromLinear(Clamp01(linear)) * 255.0));
}

std::uint16_t EncodeLinear16(float linear) {
    return static_cast<std::uint16_t>(std::lround(Clamp01(linear) * 65535.0));
}

void WritePng(const Image& image, const std::string& path, PngEncoding encoding) {
    if (encoding == PngEncoding::kLinear16) {
        const auto samples = EncodePixels<std::uint16_t>(image, EncodeLinear16);
        WriteSamples(image, path, PNG_FORMAT_LINEAR_RGB, samples.data());
    } else {
        const auto samples = EncodePixels<std::uint8_t>(image, EncodeSrgb8);
        WriteSamples(image, path, PNG_FORMAT_RGB, samples.data());
    }
}

}  // namespace aurivel::preview
