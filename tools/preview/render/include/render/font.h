// Text for labels, axes and legends: a DejaVu face found through fontconfig
// and rasterised by FreeType.
#pragma once

#include <memory>
#include <string>

#include "render/image.h"

namespace aurivel::preview {

class Font {
public:
    // Throws ToolError when fontconfig knows no DejaVu font or FreeType cannot
    // open the one it names.
    static Font FindDejaVuSans(int pixelHeight);

    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;
    ~Font();

    // Advance width of the text in pixels.
    int TextWidth(const std::wstring& text) const;
    // Height of capitals above the baseline, for centring text vertically.
    int CapHeight() const;
    // Draws text with its baseline at y, starting at x, blending by coverage.
    void Draw(Image& image, int x, int y, const std::wstring& text, Rgb colour) const;

    const std::string& File() const;

private:
    struct Face;
    explicit Font(std::unique_ptr<Face> face);

    std::unique_ptr<Face> face_;
};

}  // namespace aurivel::preview
