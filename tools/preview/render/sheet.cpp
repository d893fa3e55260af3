#include "render/sheet.h"

#include <algorithm>

namespace aurivel::preview {
namespace {

constexpr int kGap = 4;  // lines between tiles, in the label colour

}  // namespace

SheetLayout::SheetLayout(int tileCount, int slotSize, int columns)
    : slotSize_(slotSize), columns_(std::min(columns, tileCount)), rows_((tileCount + columns - 1) / columns) {}

int SheetLayout::LabelHeight(int slotSize) { return std::max(14, slotSize / 7); }

int LabelTextHeight(int slotSize) { return SheetLayout::LabelHeight(slotSize) * 3 / 5; }

int SheetLayout::Width() const { return columns_ * (slotSize_ + kGap) + kGap; }

int SheetLayout::Height() const { return rows_ * (slotSize_ + LabelHeight(slotSize_) + kGap) + kGap; }

Rect SheetLayout::Slot(int tile) const {
    const int column = tile % columns_;
    const int row = tile / columns_;
    return {kGap + column * (slotSize_ + kGap), kGap + row * (slotSize_ + LabelHeight(slotSize_) + kGap), slotSize_,
            slotSize_};
}

Rect SheetLayout::Label(int tile) const {
    const Rect slot = Slot(tile);
    return {slot.left, slot.top + slot.height, slot.width, LabelHeight(slotSize_)};
}

void DrawLabel(Image& sheet, const Rect& strip, const std::wstring& name, const Font& font) {
    sheet.FillRect(strip.left, strip.top, strip.width, strip.height, kLabelBackground);
    const int x = strip.left + (strip.width - font.TextWidth(name)) / 2;
    const int baseline = strip.top + (strip.height + font.CapHeight()) / 2;
    font.Draw(sheet, x, baseline, name, kLabelText);
}

}  // namespace aurivel::preview
