// The controls of rollout page 101 as the product's documentation tables
// them, in template order.
#pragma once

#include <windows.h>

#include "resource.h"

namespace rollout_page {

constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kSpin = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabelLeft = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kLabelRight = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_RIGHT;
constexpr DWORD kCombo = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kBar = WS_CHILD | WS_VISIBLE | SS_BITMAP;

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

struct Control {
    int id;
    WORD classAtom;            // 0 for a class given by name
    const wchar_t* className;  // as GetClassNameW gives it
    const wchar_t* caption;    // null where the caption is a bitmap or told apart below
    WORD bitmap;               // the ordinal in place of a caption
    short x, y, cx, cy;
    DWORD style;
};

constexpr wchar_t kCustEdit[] = L"CustEdit";
constexpr wchar_t kSpinner[] = L"SpinnerControl";
constexpr wchar_t kCustButton[] = L"CustButton";

// Captions: the column heads hold U+00B5, the adjustment labels U+00B1 and U+00B0.
constexpr Control kControls[] = {
    {IDC_NR_EDIT, 0, kCustEdit, L"", 0, 59, 24, 35, 10, kEdit},
    {IDC_NR_SPIN, 0, kSpinner, L"", 0, 95, 24, 7, 10, kSpin},
    {-1, kStaticAtom, L"Static", L"Wavelength:", 0, 8, 13, 46, 8, kLabelRight},
    {-1, kStaticAtom, L"Static", L"R (0.650 \u00B5m)", 0, 59, 13, 42, 8, kLabelLeft},
    {-1, kStaticAtom, L"Static", L"G (0.510 \u00B5m)", 0, 112, 13, 42, 8, kLabelLeft},
    {-1, kStaticAtom, L"Static", L"B (0.475 \u00B5m)", 0, 165, 13, 41, 8, kLabelLeft},
    {-1, kStaticAtom, L"Static", L"n:", 0, 41, 24, 13, 8, kLabelRight},
    {-1, kStaticAtom, L"Static", L"k:", 0, 41, 37, 13, 8, kLabelRight},
    {IDC_NG_EDIT, 0, kCustEdit, L"", 0, 112, 24, 35, 10, kEdit},
    {IDC_NG_SPIN, 0, kSpinner, L"", 0, 148, 24, 7, 10, kSpin},
    {IDC_NB_EDIT, 0, kCustEdit, L"", 0, 165, 24, 35, 10, kEdit},
    {IDC_NB_SPIN, 0, kSpinner, L"", 0, 201, 24, 7, 10, kSpin},
    {IDC_KR_EDIT, 0, kCustEdit, L"", 0, 59, 37, 35, 10, kEdit},
    {IDC_KR_SPIN, 0, kSpinner, L"", 0, 95, 37, 7, 10, kSpin},
    {IDC_KG_EDIT, 0, kCustEdit, L"", 0, 112, 37, 35, 10, kEdit},
    {IDC_KG_SPIN, 0, kSpinner, L"", 0, 148, 37, 7, 10, kSpin},
    {IDC_KB_EDIT, 0, kCustEdit, L"", 0, 165, 37, 35, 10, kEdit},
    {IDC_KB_SPIN, 0, kSpinner, L"", 0, 201, 37, 7, 10, kSpin},
    {IDC_PRESET, kComboBoxAtom, L"ComboBox", L"", 0, 112, 54, 97, 30, kCombo},
    {-1, kStaticAtom, L"Static", L"Presets:", 0, 69, 56, 39, 8, kLabelRight},
    {-1, kButtonAtom, L"Button", L"Color Adjustment", 0, 2, 70, 213, 53, kGroup},
    {-1, kStaticAtom, L"Static", L"Gamma:", 0, 36, 83, 72, 8, kLabelRight},
    {-1, kStaticAtom, L"Static", L"Hue Shift (\u00B1\u00B0):", 0, 36, 96, 72, 8, kLabelRight},
    {-1, kStaticAtom, L"Static", L"Saturation (\u00B1%):", 0, 36, 109, 72, 8, kLabelRight},
    {IDC_GAMMA_EDIT, 0, kCustEdit, L"", 0, 113, 83, 35, 10, kEdit},
    {IDC_GAMMA_SPIN, 0, kSpinner, L"", 0, 149, 83, 7, 10, kSpin},
    {IDC_HUE_EDIT, 0, kCustEdit, L"", 0, 113, 96, 35, 10, kEdit},
    {IDC_HUE_SPIN, 0, kSpinner, L"", 0, 149, 96, 7, 10, kSpin},
    {IDC_SAT_EDIT, 0, kCustEdit, L"", 0, 113, 109, 35, 10, kEdit},
    {IDC_SAT_SPIN, 0, kSpinner, L"", 0, 149, 109, 7, 10, kSpin},
    {-1, kStaticAtom, L"Static", L"Aurivel | Version " AURIVEL_PROJECT_VERSION, 0, 2, 128, 125, 8, kLabelLeft},
    {IDC_HOMEPAGE, 0, kCustButton, L"Homepage", 0, 134, 126, 80, 11, kButton},
    {-1, kStaticAtom, L"Static", nullptr, 0, 2, 142, 205, 17, kLabelLeft},  // credits: two lines
    {IDC_DATA_SITE, 0, kCustButton, L"refractiveindex.info", 0, 134, 164, 80, 11, kButton},
    {-1, kStaticAtom, L"Static", L"Presets and data:", 0, 2, 165, 127, 8, kLabelRight},
    {IDC_BAR_R, kStaticAtom, L"Static", nullptr, IDB_RED_BAR, 59, 7, 43, 2, kBar},
    {IDC_BAR_G, kStaticAtom, L"Static", nullptr, IDB_GREEN_BAR, 112, 7, 43, 2, kBar},
    {IDC_BAR_B, kStaticAtom, L"Static", nullptr, IDB_BLUE_BAR, 165, 7, 43, 2, kBar},
};
constexpr size_t kCreditsIndex = 32;

}  // namespace rollout_page
