// A linear-light RGB raster that every view of the tool draws into.
#pragma once

#include <vector>

namespace aurivel::preview {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

class Image {
public:
    Image(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
    const Rgb& At(int x, int y) const { return pixels_[Index(x, y)]; }

    // Mixes colour over the pixel by coverage in [0, 1]; pixels outside are ignored,
    // so shapes may be drawn partly off the image.
    void Blend(int x, int y, Rgb colour, float coverage);
    void FillRect(int left, int top, int width, int height, Rgb colour);

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace aurivel::preview
