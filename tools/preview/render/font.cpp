#include "render/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string_view>

#include "base/errors.h"

namespace aurivel::preview {
namespace {

constexpr std::string_view kFamilyPrefix = "DejaVu";

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
using ConfigPtr = std::unique_ptr<FcConfig, ConfigDeleter>;

// fontconfig always answers with its best match, which may be any font on
// the system; only a DejaVu family counts as found, so labels look the same
// everywhere.
std::string MatchDejaVuFile() {
    // A configuration of our own rather than the library-wide one, which
    // would stay allocated until exit.
    ConfigPtr config(FcInitLoadConfigAndFonts());
    if (!config) {
        throw ToolError("cannot load the fontconfig configuration");
    }
    PatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:style=Book")));
    FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config.get(), pattern.get(), &result));
    FcChar8* family = nullptr;
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        std::string_view(reinterpret_cast<const char*>(family)).substr(0, kFamilyPrefix.size()) != kFamilyPrefix) {
        throw ToolError("no DejaVu font found through fontconfig (install fonts-dejavu-core)");
    }
    return reinterpret_cast<const char*>(file);
}

}  // namespace

struct Font::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;

    ~Face() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    // Renders the glyph into the face's slot; false for a character the font lacks.
    bool Load(wchar_t c) const { return FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) == 0; }
};

Font Font::FindDejaVuSans(int pixelHeight) {
    auto face = std::make_unique<Face>();
    face->file = MatchDejaVuFile();
    if (FT_Init_FreeType(&face->library) != 0) {
        throw ToolError("cannot initialise FreeType");
    }
    if (FT_New_Face(face->library, face->file.c_str(), 0, &face->face) != 0 ||
        FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        throw ToolError("cannot open the font " + face->file);
    }
    return Font(std::move(face));
}

Font::Font(std::unique_ptr<Face> face) : face_(std::move(face)) {}
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;
Font::~Font() = default;

const std::string& Font::File() const { return face_->file; }

int Font::TextWidth(const std::wstring& text) const {
    long width = 0;
    for (wchar_t c : text) {
        if (face_->Load(c)) {
            width += face_->face->glyph->advance.x;
        }
    }
    return static_cast<int>(width >> 6);
}

int Font::CapHeight() const { return face_->Load(L'H') ? face_->face->glyph->bitmap_top : 0; }

void Font::Draw(Image& image, int x, int y, const std::wstring& text, Rgb colour) const {
    long penX = static_cast<long>(x) * 64;  // 26.6 fixed point; x may be negative
    for (wchar_t c : text) {
        if (!face_->Load(c)) {
            continue;
        }
        const FT_GlyphSlot glyph = face_->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int left = static_cast<int>(penX >> 6) + glyph->bitmap_left;
        const int top = y - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const unsigned char coverage = bitmap.buffer[static_cast<long>(row) * bitmap.pitch + col];
                image.Blend(left + static_cast<int>(col), top + static_cast<int>(row), colour, coverage / 255.0f);
            }
        }
        penX += glyph->advance.x;
    }
}

}  // namespace aurivel::preview
