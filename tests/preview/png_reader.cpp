#include "png_reader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace aurivel::preview::test_support {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Kept free of objects with destructors because libpng reports errors by longjmp.
bool ReadRows(std::FILE* file, PngPixels& out, std::vector<unsigned char>& bytes) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    int intent = 0;
    out.hasSrgbChunk = png_get_sRGB(png, info, &intent) != 0;
    out.width = static_cast<int>(png_get_image_width(png, info));
    out.height = static_cast<int>(png_get_image_height(png, info));
    out.bitDepth = png_get_bit_depth(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB || (out.bitDepth != 8 && out.bitDepth != 16)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    bytes.resize(rowBytes * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        png_read_row(png, bytes.data() + rowBytes * static_cast<std::size_t>(y), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

PngPixels ReadPng(const std::string& path) {
    PngPixels pixels;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    std::vector<unsigned char> bytes;
    if (!file || !ReadRows(file.get(), pixels, bytes)) {
        ADD_FAILURE() << "cannot read " << path << " as an RGB PNG";
        return {};
    }
    // PNG stores 16-bit samples big-endian.
    const std::size_t bytesPerSample = pixels.bitDepth == 16 ? 2 : 1;
    for (std::size_t i = 0; i < bytes.size(); i += bytesPerSample) {
        pixels.samples.push_back(bytesPerSample == 2 ? static_cast<std::uint16_t>(bytes[i] << 8 | bytes[i + 1])
                                                     : bytes[i]);
    }
    return pixels;
}

}  // namespace aurivel::preview::test_support
