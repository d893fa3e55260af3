// The contact sheet: one sample slot per metal, labelled with its name.
#pragma once

#include <string>

#include "render/font.h"
#include "render/image.h"

namespace aurivel::preview {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

class SheetLayout {
public:
    // At most `columns` tiles to a row.
    SheetLayout(int tileCount, int slotSize, int columns = 5);

    int Columns() const { return columns_; }
    int Width() const;
    int Height() const;
    int SlotSize() const { return slotSize_; }

    Rect Slot(int tile) const;   // where the sphere of the tile goes
    Rect Label(int tile) const;  // the strip under it that holds the name

    static int LabelHeight(int slotSize);

private:
    int slotSize_;
    int columns_;
    int rows_;
};

inline constexpr Rgb kLabelBackground{0.06f, 0.06f, 0.06f};
inline constexpr Rgb kLabelText{0.92f, 0.92f, 0.92f};

// Fills the label strip of a tile and centres the name in it.
void DrawLabel(Image& sheet, const Rect& strip, const std::wstring& name, const Font& font);

// The pixel height of label text that fits the strip of a slot of this size.
int LabelTextHeight(int slotSize);

}  // namespace aurivel::preview
