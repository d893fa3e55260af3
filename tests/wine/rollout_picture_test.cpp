// A picture of the map's editor as the dialog manager draws it on screen,
// kept in the build tree (rollout.png) for people to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "png_file.h"
#include "rollout_fixture.h"

namespace {

using wine_test::RgbImage;
using wine_test::RolloutInEditor;

// Stacks the editor's pages top to bottom in its panel, as the host's
// rollup window does, and returns the area that they cover.
RECT StackPages(const standin::MaterialEditor& editor) {
    RECT area{0, 0, 0, 0};
    for (const auto& rollup : editor.Rollups()) {
        RECT page{};
        GetWindowRect(rollup.page, &page);
        SetWindowPos(rollup.page, nullptr, 0, area.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        area.right = std::max(area.right, page.right - page.left);
        area.bottom += page.bottom - page.top;
    }
    return area;
}

// Copies `area` of the window's client area, as painted, into an image.
RgbImage Capture(HWND window, const RECT& area) {
    RgbImage image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bits) + y * stride;
        for (int x = 0; x < image.width; ++x)
            image.rgb.insert(image.rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return image;
}

size_t CountPixels(const RgbImage& image, COLORREF colour) {
    size_t count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            count += RGB(p[0], p[1], p[2]) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(RolloutInEditor, IsDrawnAndSavedAsPng) {
    const HWND panel = editor_->Panel();
    const RECT area = StackPages(*editor_);
    ShowWindow(panel, SW_SHOWNOACTIVATE);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    wine_test::PumpMessages();
    const RgbImage picture = Capture(panel, area);
    ASSERT_GT(picture.width, 300);
    ASSERT_GT(picture.height, 250);

    const std::wstring path = wine_test::WindowsPath(ROLLOUT_PICTURE_PATH);
    ASSERT_TRUE(wine_test::WriteFile(path, wine_test::EncodePng(picture)));
    const auto bytes = wine_test::ReadFile(path);
    ASSERT_TRUE(bytes);
    const auto decoded = wine_test::DecodePng(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, picture.width);
    EXPECT_EQ(decoded->height, picture.height);
    EXPECT_EQ(decoded->rgb, picture.rgb);

    // The three bars, 65 x 4 pixels each, in their own colours.
    EXPECT_EQ(CountPixels(picture, RGB(255, 0, 0)), 65u * 4);
    EXPECT_EQ(CountPixels(picture, RGB(0, 189, 0)), 65u * 4);
    EXPECT_EQ(CountPixels(picture, RGB(0, 0, 255)), 65u * 4);
}

}  // namespace
