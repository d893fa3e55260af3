// Rollout page 101 as the system's dialog manager builds it from the
// module's template, in the editor that the map opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "rollout_fixture.h"
#include "rollout_page/rollout_page_table.h"

namespace {

using rollout_page::kControls;
using wine_test::ClassOf;
using wine_test::RolloutInEditor;
using wine_test::WindowText;

constexpr int kConstantControls[] = {IDC_NR_EDIT, IDC_NR_SPIN, IDC_NG_EDIT, IDC_NG_SPIN, IDC_NB_EDIT, IDC_NB_SPIN,
                                     IDC_KR_EDIT, IDC_KR_SPIN, IDC_KG_EDIT, IDC_KG_SPIN, IDC_KB_EDIT, IDC_KB_SPIN};
constexpr int kCustom = 0;
constexpr int kGold = 3;

std::vector<HWND> ChildrenInZOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(RolloutInEditor, HasTheTemplatesControlsInOrder) {
    const std::vector<HWND> children = ChildrenInZOrder(page_);
    ASSERT_EQ(children.size(), std::size(kControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const auto& expected = kControls[i];
        EXPECT_EQ(GetDlgCtrlID(children[i]), expected.id) << "control " << i + 1;
        EXPECT_EQ(ClassOf(children[i]), expected.className) << "control " << i + 1;
        // A combo box hands its scroll bar styles on to its list.
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(children[i], GWL_STYLE));
        const DWORD kept = expected.style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
        EXPECT_EQ(style & kept, kept) << "control " << i + 1;
    }
}

// Positions and sizes in dialog units, each converted on its own with the
// page's font as the dialog manager does; the bars take their bitmaps' size
// and the combo box its closed height.
TEST_F(RolloutInEditor, PlacesControlsWhereTheTemplateSays) {
    const std::vector<HWND> children = ChildrenInZOrder(page_);
    ASSERT_EQ(children.size(), std::size(kControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const auto& expected = kControls[i];
        RECT place{expected.x, expected.y, expected.cx, expected.cy};  // left, top, width, height
        ASSERT_TRUE(MapDialogRect(page_, &place));
        const RECT units{place.left, place.top, place.left + place.right, place.top + place.bottom};
        const RECT actual = RectInParent(children[i]);
        if (expected.bitmap != 0) {
            EXPECT_EQ(actual.left, units.left) << "control " << i + 1;
            EXPECT_EQ(actual.top, units.top) << "control " << i + 1;
            EXPECT_EQ(actual.right - actual.left, 65) << "control " << i + 1;
            EXPECT_EQ(actual.bottom - actual.top, 4) << "control " << i + 1;
        } else if (expected.id == IDC_PRESET) {
            EXPECT_EQ(actual.left, units.left);
            EXPECT_EQ(actual.top, units.top);
            EXPECT_EQ(actual.right, units.right);
        } else {
            EXPECT_TRUE(SameRect(actual, units)) << "control " << i + 1;
        }
    }
}

TEST_F(RolloutInEditor, ShowsCaptionsWithTheirSymbols) {
    const std::vector<HWND> children = ChildrenInZOrder(page_);
    ASSERT_EQ(children.size(), std::size(kControls));
    for (size_t i = 0; i < children.size(); ++i) {
        // Edit fields and the combo box show values, not template captions.
        const bool showsValue =
            std::wcscmp(kControls[i].className, rollout_page::kCustEdit) == 0 || kControls[i].id == IDC_PRESET;
        if (kControls[i].caption && !showsValue) {
            EXPECT_EQ(WindowText(children[i]), kControls[i].caption) << "control " << i + 1;
        }
    }
    const std::wstring credits = WindowText(children[rollout_page::kCreditsIndex]);
    EXPECT_EQ(std::count(credits.begin(), credits.end(), L'\n'), 1) << "two lines";
}

TEST_F(RolloutInEditor, OffersTheElevenPresetsInStringOrder) {
    const wchar_t* const expected[] = {L"Custom", L"Silver", L"Aluminium", L"Gold",     L"Cobalt",  L"Chromium",
                                       L"Copper", L"Iron",   L"Nickel",    L"Platinum", L"Titanium"};
    ASSERT_EQ(SendDlgItemMessageW(page_, IDC_PRESET, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        wchar_t item[64] = {};
        SendDlgItemMessageW(page_, IDC_PRESET, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, expected[i]) << i;
    }
    EXPECT_EQ(SendDlgItemMessageW(page_, IDC_PRESET, CB_GETCURSEL, 0, 0), 6) << "a new map is copper";
}

TEST_F(RolloutInEditor, LocksTheConstantsForMetalsOnly) {
    const auto enabledCount = [this] {
        int enabled = 0;
        for (int id : kConstantControls) enabled += IsWindowEnabled(Item(id)) ? 1 : 0;
        return enabled;
    };
    EXPECT_EQ(enabledCount(), 0) << "copper";
    standin::MaterialEditor::ChooseComboItem(page_, IDC_PRESET, kCustom);
    EXPECT_EQ(enabledCount(), 12) << "custom";
    standin::MaterialEditor::ChooseComboItem(page_, IDC_PRESET, kGold);
    EXPECT_EQ(enabledCount(), 0) << "gold";
    EXPECT_EQ(WindowText(Item(IDC_NR_EDIT)), L"0.11114");
    EXPECT_EQ(WindowText(Item(IDC_KB_EDIT)), L"1.5789");
    // Everything else stays editable.
    for (int id : {IDC_PRESET, IDC_GAMMA_EDIT, IDC_HUE_SPIN, IDC_SAT_EDIT, IDC_HOMEPAGE})
        EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
}

struct BarCase {
    int id;
    COLORREF colour;
};

TEST_F(RolloutInEditor, ShowsTheColourBars) {
    const BarCase bars[] = {{IDC_BAR_R, RGB(255, 0, 0)}, {IDC_BAR_G, RGB(0, 189, 0)}, {IDC_BAR_B, RGB(0, 0, 255)}};
    const HDC memory = CreateCompatibleDC(nullptr);
    for (const BarCase& bar : bars) {
        const auto image = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(page_, bar.id, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(image, nullptr) << bar.id;
        BITMAP info{};
        ASSERT_EQ(GetObjectW(image, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, 65) << bar.id;
        EXPECT_EQ(info.bmHeight, 4) << bar.id;
        const HGDIOBJ old = SelectObject(memory, image);
        EXPECT_EQ(GetPixel(memory, 0, 0), bar.colour) << bar.id;
        EXPECT_EQ(GetPixel(memory, 64, 3), bar.colour) << bar.id;
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

}  // namespace
