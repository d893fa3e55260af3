// The product's resources as a module built by aurivel_add_plugin_module
// carries them: strings, resource look-up, bitmaps.
#include "test_support.h"

#include <windows.h>

#include "presets/preset_table.h"
#include "resource.h"
#include "utf/utf.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kStringsBeforePresetList[] = {
    L"Aurivel IOR TexMap",
    L"Standard",
    L"Aurivel",
    L"Parameters",
    L"nRvalue",
    L"nGvalue",
    L"nBvalue",
    L"kRvalue",
    L"kGvalue",
    L"kBvalue",
    L"Presets",
};
constexpr const wchar_t* kStringsAfterPresetList[] = {
    L"Gamma", L"Hue", L"Saturation", L"Homepage", L"Output",
};

// Strings 1 to 27 in order. The preset list's (IDS_CUSTOM to IDS_TITANIUM)
// are the names the preset table gives Custom and its rows, in row order:
// the resource script is what the module shows, the table what the tools
// and the map's order rely on, and this is where the two are held equal.
std::vector<std::wstring> ExpectedStrings() {
    std::vector<std::wstring> strings(std::begin(kStringsBeforePresetList), std::end(kStringsBeforePresetList));
    strings.push_back(aurivel::utf::WideFromUtf8(aurivel::kCustomPresetName));
    for (const aurivel::Preset& preset : aurivel::kPresets) {
        strings.push_back(aurivel::utf::WideFromUtf8(preset.name));
    }
    strings.insert(strings.end(), std::begin(kStringsAfterPresetList), std::end(kStringsAfterPresetList));
    return strings;
}

struct ResourceBytes {
    const uint8_t* data;
    DWORD size;
};

ResourceBytes Load(HMODULE module, HRSRC found) {
    return {static_cast<const uint8_t*>(LockResource(LoadResource(module, found))), SizeofResource(module, found)};
}

template <typename T>
T ReadAt(const uint8_t* bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

}  // namespace

TEST_F(ProductResources, StringsOneToTwentySevenReadAsTabled) {
    const std::vector<std::wstring> strings = ExpectedStrings();
    ASSERT_EQ(strings.size(), 27u);
    ASSERT_EQ(IDS_TITANIUM - IDS_CUSTOM + 1, static_cast<int>(aurivel::kPresets.size()) + 1);
    for (UINT id = 1; id <= 27; ++id) {
        wchar_t buffer[256];
        const int length = LoadStringW(Module(), id, buffer, 256);
        EXPECT_EQ(buffer, strings[id - 1]) << id;
        EXPECT_EQ(length, static_cast<int>(strings[id - 1].size())) << id;
    }
}

// An ID without a string in a block that exists reads as an empty string;
// one whose block is missing leaves the buffer alone.
TEST_F(ProductResources, MissingStringsReadAsNothing) {
    struct Case {
        UINT id;
        const wchar_t* buffer;
    };
    for (const Case& c : {Case{0, L""}, Case{28, L""}, Case{31, L""}, Case{32, L"xyz"}, Case{4000, L"xyz"}}) {
        wchar_t buffer[4] = L"xyz";
        EXPECT_EQ(LoadStringW(Module(), c.id, buffer, 4), 0) << c.id;
        EXPECT_STREQ(buffer, c.buffer) << c.id;
    }
}

TEST_F(ProductResources, StringsAreCutToTheCapacity) {
    struct Case {
        int capacity;
        const wchar_t* text;
    };
    for (const Case& c : {Case{1, L""}, Case{2, L"A"}, Case{8, L"Aurivel"}, Case{19, L"Aurivel IOR TexMap"}}) {
        wchar_t buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(LoadStringW(Module(), IDS_LIB_DESCRIPTION, buffer, c.capacity),
                  static_cast<int>(std::wcslen(c.text)));
        EXPECT_STREQ(buffer, c.text) << c.capacity;
    }
    wchar_t untouched[2] = {L'#', L'#'};
    EXPECT_EQ(LoadStringW(Module(), IDS_LIB_DESCRIPTION, untouched, 0), 0);
    EXPECT_EQ(untouched[0], L'#');
}

TEST_F(ProductResources, ResourcesAreFoundByTypeNameAndLanguage) {
    constexpr WORD kUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    constexpr WORD kUk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
    struct Case {
        LPCWSTR type;
        LPCWSTR name;
        WORD language;  // 0: FindResourceW
        bool found;
        DWORD error;  // when not found
    };
    const Case cases[] = {
        {RT_DIALOG, MAKEINTRESOURCEW(IDD_PANEL), 0, true, 0},
        {RT_DIALOG, L"#101", 0, true, 0},
        {RT_DIALOG, MAKEINTRESOURCEW(IDD_PANEL), kUs, true, 0},
        {RT_STRING, MAKEINTRESOURCEW(1), kUs, true, 0},
        {RT_STRING, MAKEINTRESOURCEW(2), kUs, true, 0},
        {RT_STRING, MAKEINTRESOURCEW(3), 0, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {RT_MANIFEST, MAKEINTRESOURCEW(ISOLATIONAWARE_MANIFEST_RESOURCE_ID), 0, true, 0},
        {L"AFX_DIALOG_LAYOUT", MAKEINTRESOURCEW(IDD_PANEL), kUs, true, 0},
        {L"afx_dialog_layout", MAKEINTRESOURCEW(IDD_PANEL), 0, true, 0},
        {RT_BITMAP, MAKEINTRESOURCEW(IDB_GREEN_BAR), 0, true, 0},
        {RT_BITMAP, MAKEINTRESOURCEW(IDB_GREEN_BAR), kUk, true, 0},
        {RT_BITMAP, MAKEINTRESOURCEW(IDB_GREEN_BAR), kUs, false, ERROR_RESOURCE_LANG_NOT_FOUND},
        {RT_BITMAP, MAKEINTRESOURCEW(102), 0, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {RT_MENU, MAKEINTRESOURCEW(IDD_PANEL), 0, false, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        SetLastError(0);
        const HRSRC found = c.language == 0 ? FindResourceW(Module(), c.name, c.type)
                                            : FindResourceExW(Module(), c.type, c.name, c.language);
        EXPECT_EQ(found != nullptr, c.found);
        if (!c.found) {
            EXPECT_EQ(GetLastError(), c.error);
        }
    }
}

TEST_F(ProductResources, DialogLayoutRecordHoldsOneZeroWord) {
    const auto layout = Load(Module(), FindResourceW(Module(), MAKEINTRESOURCEW(IDD_PANEL), L"AFX_DIALOG_LAYOUT"));
    ASSERT_EQ(layout.size, 2u);
    EXPECT_EQ(ReadAt<WORD>(layout.data, 0), 0);
}

TEST_F(ProductResources, ManifestRunsAsInvokerWithoutUiAccess) {
    const auto manifest = Load(Module(), FindResourceW(Module(), MAKEINTRESOURCEW(2), RT_MANIFEST));
    const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
    EXPECT_NE(text.find(R"(requestedExecutionLevel level="asInvoker" uiAccess="false")"), std::string::npos) << text;
}

TEST_F(ProductResources, AModuleWithoutResourcesFindsNone) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_PANEL), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    wchar_t buffer[8];
    EXPECT_EQ(LoadStringW(nullptr, IDS_CLASS_NAME, buffer, 8), 0);
}

TEST_F(ProductResources, ResourceHandlesBelongToTheirModule) {
    const HRSRC dialog = FindResourceW(Module(), MAKEINTRESOURCEW(IDD_PANEL), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(LoadResource(GetModuleHandleW(nullptr), dialog), nullptr);
    EXPECT_EQ(SizeofResource(Module(), nullptr), 0u);
}

// The colour bars: 248-byte 4-bit DIBs, every pixel one palette entry.
class ColourBar : public ProductResources, public ::testing::WithParamInterface<int> {
protected:
    static constexpr RGBQUAD kStandardPalette[16] = {
        {0, 0, 0, 0},     {0, 0, 128, 0},     {0, 128, 0, 0},     {0, 128, 128, 0},   {128, 0, 0, 0}, {128, 0, 128, 0},
        {128, 128, 0, 0}, {192, 192, 192, 0}, {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0}, {0, 255, 255, 0},
        {255, 0, 0, 0},   {255, 0, 255, 0},   {255, 255, 0, 0},   {255, 255, 255, 0},
    };

    static int Entry(int id) { return id == IDB_RED_BAR ? 9 : id == IDB_GREEN_BAR ? 10 : 12; }
    static const char* FileName(int id) {
        return id == IDB_RED_BAR ? "red_bar.bmp" : id == IDB_GREEN_BAR ? "green_bar.bmp" : "blue_bar.bmp";
    }

    ResourceBytes Dib() const {
        return Load(Module(), FindResourceExW(Module(), RT_BITMAP, MAKEINTRESOURCEW(GetParam()),
                                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)));
    }
};

TEST_P(ColourBar, HeaderDescribesA65By4FourBitBitmap) {
    const auto dib = Dib();
    ASSERT_EQ(dib.size, 248u);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data, sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 65);
    EXPECT_EQ(header.biHeight, 4);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biSizeImage, 144u);
    EXPECT_EQ(header.biXPelsPerMeter, 0);
    EXPECT_EQ(header.biYPelsPerMeter, 0);
    EXPECT_EQ(header.biClrUsed, 16u);
    EXPECT_EQ(header.biClrImportant, 16u);
}

TEST_P(ColourBar, PaletteIsTheStandardOneButForTheGreenBarsGreen) {
    const auto dib = Dib();
    ASSERT_EQ(dib.size, 248u);
    for (int i = 0; i < 16; ++i) {
        RGBQUAD expected = kStandardPalette[i];
        if (GetParam() == IDB_GREEN_BAR && i == 10) expected = {0, 189, 0, 0};
        const auto entry = ReadAt<RGBQUAD>(dib.data, 40 + 4 * i);
        EXPECT_EQ(std::memcmp(&entry, &expected, 4), 0)
            << "entry " << i << ": " << int(entry.rgbRed) << "," << int(entry.rgbGreen) << "," << int(entry.rgbBlue);
    }
}

TEST_P(ColourBar, EveryPixelIsItsEntryAndPaddingIsZero) {
    const auto dib = Dib();
    ASSERT_EQ(dib.size, 248u);
    const int entry = Entry(GetParam());
    for (int row = 0; row < 4; ++row) {
        const uint8_t* bytes = dib.data + 104 + 36 * row;
        for (int pixel = 0; pixel < 65; ++pixel) {
            const int nibble = pixel % 2 == 0 ? bytes[pixel / 2] >> 4 : bytes[pixel / 2] & 15;
            ASSERT_EQ(nibble, entry) << "row " << row << " pixel " << pixel;
        }
        EXPECT_EQ(bytes[32] & 15, 0) << "the low nibble after the last pixel, row " << row;
        EXPECT_EQ(bytes[33] | bytes[34] | bytes[35], 0) << "row padding, row " << row;
    }
}

TEST_P(ColourBar, IsTheCheckedInFileWithoutItsFileHeader) {
    std::ifstream file(std::string(BITMAPS_DIR) + "/" + FileName(GetParam()), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(bytes.size(), 14u + 248u);
    EXPECT_EQ(ReadAt<WORD>(bytes.data(), 0), 0x4D42);  // "BM"
    EXPECT_EQ(ReadAt<DWORD>(bytes.data(), 2), 262u);   // file size
    EXPECT_EQ(ReadAt<DWORD>(bytes.data(), 10), 118u);  // offset of the pixels
    const auto dib = Dib();
    ASSERT_EQ(dib.size, 248u);
    EXPECT_EQ(std::memcmp(bytes.data() + 14, dib.data, 248), 0);
}

TEST_P(ColourBar, LoadsAsA65By4Bitmap) {
    const HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(GetParam()));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    EXPECT_EQ(GetObjectW(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    ASSERT_EQ(GetObjectW(bitmap, sizeof description, &description), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(description.bmWidth, 65);
    EXPECT_EQ(description.bmHeight, 4);
    EXPECT_EQ(description.bmBits, nullptr) << "a device-dependent bitmap";
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectW(bitmap, sizeof description, &description), 0);
}

TEST_P(ColourBar, LoadsAsADibSectionWithItsPixels) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(GetParam()), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    ASSERT_NE(GetObjectW(bitmap, sizeof description, &description), 0);
    EXPECT_EQ(description.bmBitsPixel, 4);
    EXPECT_EQ(description.bmWidthBytes, 36);
    ASSERT_NE(description.bmBits, nullptr);
    const int entry = Entry(GetParam());
    EXPECT_EQ(static_cast<const uint8_t*>(description.bmBits)[0], entry << 4 | entry);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(Bars, ColourBar, ::testing::Values(IDB_RED_BAR, IDB_GREEN_BAR, IDB_BLUE_BAR));

TEST_F(ProductResources, LoadImageRefusesWhatItCannotDo) {
    EXPECT_EQ(LoadImageW(Module(), MAKEINTRESOURCEW(IDB_RED_BAR), IMAGE_BITMAP, 130, 8, 0), nullptr) << "stretching";
    EXPECT_EQ(LoadImageW(Module(), MAKEINTRESOURCEW(IDB_RED_BAR), IMAGE_ICON, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImageW(Module(), L"bars.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    const HANDLE sameSize = LoadImageW(Module(), MAKEINTRESOURCEW(IDB_RED_BAR), IMAGE_BITMAP, 65, 4, 0);
    EXPECT_NE(sameSize, nullptr);
    DeleteObject(sameSize);
}
