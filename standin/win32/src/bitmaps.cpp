#include "bitmaps.h"

#include "byte_reader.h"
#include "resources.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace win32shim {
namespace {

constexpr WORD kDisplayBitsPerPixel = 32;

struct Bitmap {
    LONG width = 0;
    LONG height = 0;
    WORD bitsPerPixel = 0;
    bool dibSection = false;
    std::vector<uint8_t> pixels;  // of a DIB section only
};

std::mutex objectsMutex;
std::set<const Bitmap*> liveBitmaps;

LONG DibStride(LONG width, WORD bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// Width bytes of a device-dependent bitmap are a multiple of 16 bits.
LONG DdbStride(LONG width, WORD bitsPerPixel) { return (width * bitsPerPixel + 15) / 16 * 2; }

WORD PaletteEntries(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed != 0) return static_cast<WORD>(header.biClrUsed);
    return header.biBitCount <= 8 ? static_cast<WORD>(1u << header.biBitCount) : 0;
}

std::unique_ptr<Bitmap> BitmapFromDib(const uint8_t* dib, size_t size, bool dibSection) {
    ByteReader reader(dib, size);
    const auto header = reader.Read<BITMAPINFOHEADER>();
    if (reader.Failed() || header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biCompression != BI_RGB || header.biBitCount == 0 || header.biBitCount > 32) {
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = header.biWidth;
    bitmap->height = std::abs(header.biHeight);
    bitmap->dibSection = dibSection;
    bitmap->bitsPerPixel = dibSection ? header.biBitCount : kDisplayBitsPerPixel;
    reader.Skip(header.biSize - sizeof(BITMAPINFOHEADER) + PaletteEntries(header) * sizeof(RGBQUAD));
    const size_t pixelBytes = static_cast<size_t>(DibStride(header.biWidth, header.biBitCount)) * bitmap->height;
    if (reader.Failed() || reader.Remaining() < pixelBytes) return nullptr;
    if (dibSection) bitmap->pixels.assign(reader.Here(), reader.Here() + pixelBytes);
    return bitmap;
}

const Bitmap* LiveBitmap(HGDIOBJ object) {
    std::lock_guard<std::mutex> lock(objectsMutex);
    const auto* bitmap = static_cast<const Bitmap*>(object);
    return liveBitmaps.count(bitmap) != 0 ? bitmap : nullptr;
}

BITMAP Describe(const Bitmap& bitmap) {
    BITMAP description{};
    description.bmWidth = bitmap.width;
    description.bmHeight = bitmap.height;
    description.bmPlanes = 1;
    description.bmBitsPixel = bitmap.bitsPerPixel;
    if (bitmap.dibSection) {
        description.bmWidthBytes = DibStride(bitmap.width, bitmap.bitsPerPixel);
        description.bmBits = const_cast<uint8_t*>(bitmap.pixels.data());
    } else {
        description.bmWidthBytes = DdbStride(bitmap.width, bitmap.bitsPerPixel);
    }
    return description;
}

}  // namespace

HBITMAP LoadBitmapResource(HINSTANCE module, LPCWSTR name, bool dibSection) {
    const auto dib = LoadResourceBytes(module, name, RT_BITMAP);
    if (dib.data == nullptr) return nullptr;
    auto bitmap = BitmapFromDib(dib.data, dib.size, dibSection);
    if (!bitmap) {
        SetLastError(ERROR_BAD_FORMAT);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(objectsMutex);
    liveBitmaps.insert(bitmap.get());
    return reinterpret_cast<HBITMAP>(bitmap.release());
}

bool IsBitmap(HGDIOBJ object) { return LiveBitmap(object) != nullptr; }

}  // namespace win32shim

using namespace win32shim;

extern "C" HBITMAP WINAPI LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
    return LoadBitmapResource(hInstance, lpBitmapName, false);
}

// Bitmaps from module resources only, at their own size: no files, icons,
// cursors or stretching.
extern "C" HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_BITMAP || (fuLoad & LR_LOADFROMFILE) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP bitmap = LoadBitmapResource(hInst, name, (fuLoad & LR_CREATEDIBSECTION) != 0);
    BITMAP size{};
    const bool sizeDiffers = bitmap != nullptr && GetObjectW(bitmap, sizeof size, &size) != 0 &&
                             ((cx != 0 && cx != size.bmWidth) || (cy != 0 && cy != size.bmHeight));
    if (sizeDiffers) {
        DeleteObject(bitmap);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return bitmap;
}

extern "C" int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
    const Bitmap* bitmap = LiveBitmap(h);
    if (bitmap == nullptr) return 0;
    if (pv == nullptr) return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    const BITMAP description = Describe(*bitmap);
    std::memcpy(pv, &description, sizeof description);
    return sizeof(BITMAP);
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    std::unique_ptr<const Bitmap> bitmap;
    {
        std::lock_guard<std::mutex> lock(objectsMutex);
        const auto found = liveBitmaps.find(static_cast<const Bitmap*>(ho));
        if (found == liveBitmaps.end()) return FALSE;
        bitmap.reset(*found);
        liveBitmaps.erase(found);
    }
    return TRUE;
}
