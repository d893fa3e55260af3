#include "render/image.h"

#include <algorithm>

namespace aurivel::preview {

Image::Image(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::Blend(int x, int y, Rgb colour, float coverage) {
    if (!Contains(x, y) || coverage <= 0.0f) {
        return;
    }
    const float a = std::min(coverage, 1.0f);
    Rgb& p = At(x, y);
    p.r += (colour.r - p.r) * a;
    p.g += (colour.g - p.g) * a;
    p.b += (colour.b - p.b) * a;
}

void Image::FillRect(int left, int top, int width, int height, Rgb colour) {
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + width, width_);
    const int y1 = std::min(top + height, height_);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            At(x, y) = colour;
        }
    }
}

}  // namespace aurivel::preview
