// Dialogs created from the product's rollout page and from templates in
// memory, and what the host does with their windows.
#include "rollout_page/rollout_page_table.h"
#include "test_support.h"

#include <windows.h>
#include <win32shim_testing.h>

#include "resource.h"

#include <cstring>
#include <string>

namespace {

struct Message {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What a dialog procedure of a test received; it answers WM_COMMAND from
// IDOK with TRUE and a result of 77.
std::vector<Message> received;

INT_PTR CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({window, message, wParam, lParam});
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 77);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DestroyingProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DestroyWindow(window);
    return FALSE;
}

std::vector<UINT> ReceivedMessages(HWND window) {
    std::vector<UINT> messages;
    for (const auto& m : received) {
        if (m.window == window) messages.push_back(m.message);
    }
    return messages;
}

// A plain template, DWORD-aligned: a pop-up with no controls, or a child
// with an OK button.
std::vector<DWORD> PopupTemplate(DWORD style) {
    std::vector<WORD> words = {LOWORD(style), HIWORD(style), 0, 0, 0, 10, 10, 200, 100, 0, 0, 'P', 0};
    if (style & WS_CHILD) {
        words[4] = 1;
        while (words.size() % 2 != 0) words.push_back(0);
        const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        for (WORD w : {LOWORD(button), HIWORD(button), WORD{0}, WORD{0}, WORD{4}, WORD{4}, WORD{40}, WORD{14},
                       WORD{IDOK}, WORD{0xFFFF}, WORD{0x0080}, WORD{'O'}, WORD{'K'}, WORD{0}, WORD{0}}) {
            words.push_back(w);
        }
    }
    if (words.size() % 2 != 0) words.push_back(0);
    std::vector<DWORD> dwords(words.size() / 2);
    std::memcpy(dwords.data(), words.data(), words.size() * 2);
    return dwords;
}

HWND CreateFromTemplate(const std::vector<DWORD>& dialogTemplate, HWND parent, LPARAM param = 0) {
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), parent,
                                      RecordingProc, param);
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256];
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[64];
    GetClassNameW(window, buffer, 64);
    return buffer;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The rollout page, created in a pop-up window as the host creates it.
class RolloutPage : public ProductResources {
protected:
    void SetUp() override {
        ProductResources::SetUp();
        received.clear();
        host_ = CreateFromTemplate(popupTemplate_, nullptr);
        ASSERT_NE(host_, nullptr);
        page_ = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_PANEL), host_, RecordingProc, 1234);
        ASSERT_NE(page_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(host_)) DestroyWindow(host_);
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }
    LRESULT ToCombo(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageW(page_, IDC_PRESET, message, wParam, lParam);
    }

    std::vector<DWORD> popupTemplate_ = PopupTemplate(WS_POPUP | WS_CAPTION);
    HWND host_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace

TEST_F(RolloutPage, InitialisesWithTheParameterAndTheFirstTabStop) {
    ASSERT_FALSE(received.empty());
    const Message& init = received.back();
    EXPECT_EQ(init.window, page_);
    EXPECT_EQ(init.message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(init.lParam, 1234);
    EXPECT_EQ(reinterpret_cast<HWND>(init.wParam), Item(IDC_NR_EDIT));
}

TEST_F(RolloutPage, IsAChildOfTheHostWindow) {
    EXPECT_EQ(GetParent(page_), host_);
    EXPECT_EQ(GetParent(host_), nullptr);
    EXPECT_EQ(ClassOf(page_), L"#32770");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(page_, GWL_STYLE)),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | DS_SETFONT));
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page_, GWLP_HINSTANCE)), Module());
}

TEST_F(RolloutPage, HasTheTabledControlsInZOrder) {
    HWND control = GetWindow(page_, GW_CHILD);
    for (size_t i = 0; i < std::size(rollout_page::kControls); ++i) {
        const auto& expected = rollout_page::kControls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetDlgCtrlID(control), expected.id);
        EXPECT_EQ(GetParent(control), page_);
        EXPECT_EQ(ClassOf(control), expected.className);
        if (expected.caption != nullptr) {
            EXPECT_EQ(WindowText(control), expected.caption);
        }
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)), expected.style);
        EXPECT_EQ(GetWindowLongPtrW(control, GWL_EXSTYLE), 0);
        EXPECT_TRUE(IsWindowEnabled(control));
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);
}

// Pixels from dialog units with base units 6 × 13: x·6/4 and y·13/8,
// rounded half away from zero.
TEST_F(RolloutPage, PlacesWindowsInPixels) {
    struct Case {
        HWND window;
        RECT rect;  // relative to the page
    };
    const RECT page = WindowRect(page_);
    EXPECT_EQ(page.right - page.left, 326);  // 217 units
    EXPECT_EQ(page.bottom - page.top, 291);  // 179 units
    EXPECT_EQ(page.left - WindowRect(host_).left, 0);
    const Case cases[] = {
        {Item(IDC_NR_EDIT), {89, 39, 89 + 53, 39 + 16}},                           // (59, 24) 35 × 10
        {Item(IDC_PRESET), {168, 88, 168 + 146, 88 + 49}},                         // (112, 54) 97 × 30
        {Item(IDC_DATA_SITE), {201, 267, 201 + 120, 267 + 18}},                    // (134, 164) 80 × 11
        {GetWindow(Item(IDC_PRESET), GW_HWNDNEXT), {104, 91, 104 + 59, 91 + 13}},  // "Presets:" (69, 56) 39 × 8
    };
    for (const auto& c : cases) {
        const RECT rect = WindowRect(c.window);
        EXPECT_EQ(rect.left - page.left, c.rect.left) << GetDlgCtrlID(c.window);
        EXPECT_EQ(rect.top - page.top, c.rect.top) << GetDlgCtrlID(c.window);
        EXPECT_EQ(rect.right - page.left, c.rect.right) << GetDlgCtrlID(c.window);
        EXPECT_EQ(rect.bottom - page.top, c.rect.bottom) << GetDlgCtrlID(c.window);
    }
}

TEST_F(RolloutPage, MapsDialogUnitsRoundingHalvesAwayFromZero) {
    struct Case {
        RECT units;
        RECT pixels;
    };
    const Case cases[] = {
        {{1, 1, 2, 4}, {2, 2, 3, 7}},          // 1.5, 1.625, 3, 6.5
        {{3, 8, 4, 12}, {5, 13, 6, 20}},       // 4.5, 13, 6, 19.5
        {{-1, -4, 0, -1}, {-2, -7, 0, -2}},    // -1.5, -6.5, 0, -1.625
        {{217, 179, 0, 0}, {326, 291, 0, 0}},  // the page: 325.5, 290.875
    };
    for (const auto& c : cases) {
        RECT rect = c.units;
        ASSERT_TRUE(MapDialogRect(page_, &rect));
        EXPECT_EQ(rect.left, c.pixels.left) << c.units.left;
        EXPECT_EQ(rect.top, c.pixels.top) << c.units.top;
        EXPECT_EQ(rect.right, c.pixels.right) << c.units.right;
        EXPECT_EQ(rect.bottom, c.pixels.bottom) << c.units.bottom;
    }
    RECT rect{};
    EXPECT_FALSE(MapDialogRect(Item(IDC_PRESET), &rect)) << "a control is no dialog";
}

TEST_F(RolloutPage, BarsShowTheirBitmapsAtTheBitmapsSize) {
    for (int id : {IDC_BAR_R, IDC_BAR_G, IDC_BAR_B}) {
        const HWND bar = Item(id);
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(bar, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP description{};
        ASSERT_NE(GetObjectW(bitmap, sizeof description, &description), 0) << id;
        EXPECT_EQ(description.bmWidth, 65) << id;
        EXPECT_EQ(description.bmHeight, 4) << id;
        const RECT rect = WindowRect(bar);
        EXPECT_EQ(rect.right - rect.left, 65) << id << ": not the template's 43 × 2 units";
        EXPECT_EQ(rect.bottom - rect.top, 4) << id;
        EXPECT_EQ(SendMessageW(bar, STM_GETIMAGE, IMAGE_ICON, 0), 0) << id;
    }
}

TEST_F(RolloutPage, ABitmapSetOnABarIsTheCallers) {
    const HWND bar = Item(IDC_BAR_G);
    const HBITMAP own = LoadBitmapW(Module(), MAKEINTRESOURCEW(IDB_RED_BAR));
    const auto previous =
        reinterpret_cast<HBITMAP>(SendMessageW(bar, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(own)));
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(SendMessageW(bar, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(own));
    DestroyWindow(host_);
    BITMAP description{};
    EXPECT_NE(GetObjectW(own, sizeof description, &description), 0) << "the page did not delete the caller's bitmap";
    EXPECT_TRUE(DeleteObject(own));
    EXPECT_TRUE(DeleteObject(previous));
}

TEST_F(RolloutPage, ComboBoxKeepsItemsSelectionAndData) {
    for (UINT id = IDS_CUSTOM; id <= IDS_TITANIUM; ++id) {
        wchar_t name[64];
        ASSERT_GT(LoadStringW(Module(), id, name, 64), 0);
        EXPECT_EQ(ToCombo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name)), static_cast<LRESULT>(id - IDS_CUSTOM));
        EXPECT_EQ(ToCombo(CB_SETITEMDATA, id - IDS_CUSTOM, 100 + id), TRUE);
    }
    EXPECT_EQ(ToCombo(CB_GETCOUNT), 11);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), CB_ERR);

    EXPECT_EQ(ToCombo(CB_SETCURSEL, 6), 6);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), 6);
    EXPECT_EQ(WindowText(Item(IDC_PRESET)), L"Copper");
    EXPECT_EQ(ToCombo(CB_GETITEMDATA, 6), 100 + IDS_COPPER);

    wchar_t text[16];
    EXPECT_EQ(ToCombo(CB_GETLBTEXTLEN, 0), 6);
    EXPECT_EQ(ToCombo(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 6);
    EXPECT_STREQ(text, L"Custom");

    for (UINT message : {CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_DELETESTRING}) {
        EXPECT_EQ(ToCombo(message, 11), CB_ERR) << message;
        EXPECT_EQ(ToCombo(message, static_cast<WPARAM>(-1)), CB_ERR) << message;
    }
    EXPECT_EQ(ToCombo(CB_GETLBTEXT, 11, reinterpret_cast<LPARAM>(text)), CB_ERR);
    EXPECT_EQ(ToCombo(CB_SETITEMDATA, 11, 1), CB_ERR);

    EXPECT_EQ(ToCombo(CB_SETCURSEL, 11), CB_ERR);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), CB_ERR) << "a bad index clears the selection";
    EXPECT_EQ(WindowText(Item(IDC_PRESET)), L"");
}

TEST_F(RolloutPage, ComboBoxSelectionFollowsInsertionsAndDeletions) {
    for (const wchar_t* name : {L"Custom", L"Silver", L"Gold"})
        ToCombo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ToCombo(CB_SETCURSEL, 1);
    EXPECT_EQ(ToCombo(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"First")), 0);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), 2) << "still Silver";
    EXPECT_EQ(ToCombo(CB_INSERTSTRING, 5, reinterpret_cast<LPARAM>(L"Beyond")), CB_ERR);
    EXPECT_EQ(ToCombo(CB_DELETESTRING, 0), 3);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), 1) << "still Silver";
    EXPECT_EQ(ToCombo(CB_DELETESTRING, 1), 2);
    EXPECT_EQ(ToCombo(CB_GETCURSEL), CB_ERR) << "the selected item is gone";
    EXPECT_EQ(ToCombo(CB_RESETCONTENT), CB_OKAY);
    EXPECT_EQ(ToCombo(CB_GETCOUNT), 0);
}

TEST_F(RolloutPage, EnablingChangesTheStyleAndTellsTheDialog) {
    const HWND spinner = Item(IDC_KB_SPIN);
    EXPECT_FALSE(EnableWindow(spinner, FALSE)) << "was enabled";
    EXPECT_FALSE(IsWindowEnabled(spinner));
    EXPECT_NE(GetWindowLongPtrW(spinner, GWL_STYLE) & WS_DISABLED, 0);
    EXPECT_TRUE(EnableWindow(spinner, FALSE)) << "was disabled";
    EXPECT_TRUE(EnableWindow(spinner, TRUE));
    EXPECT_TRUE(IsWindowEnabled(spinner));

    received.clear();
    EnableWindow(page_, FALSE);
    EnableWindow(page_, FALSE);
    EnableWindow(page_, TRUE);
    EXPECT_EQ(ReceivedMessages(page_), (std::vector<UINT>{WM_ENABLE, WM_ENABLE})) << "only changes are announced";
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_KB_EDIT))) << "children keep their own state";
}

TEST_F(RolloutPage, CountsRedrawsPerWindow) {
    const HWND edit = Item(IDC_GAMMA_EDIT);
    const HWND spinner = Item(IDC_GAMMA_SPIN);
    EXPECT_TRUE(InvalidateRect(edit, nullptr, TRUE));
    EXPECT_TRUE(InvalidateRect(edit, nullptr, FALSE));
    EXPECT_TRUE(InvalidateRect(spinner, nullptr, FALSE));
    EXPECT_EQ(Win32Shim_GetInvalidateCount(edit), 2u);
    EXPECT_EQ(Win32Shim_GetInvalidateCount(spinner), 1u);
    EXPECT_EQ(Win32Shim_GetInvalidateCount(Item(IDC_HUE_EDIT)), 0u);
    EXPECT_EQ(Win32Shim_GetInvalidateCount(page_), 0u);
}

TEST_F(RolloutPage, CommandsReachTheDialogProcedure) {
    received.clear();
    const WPARAM click = MAKEWPARAM(IDC_HOMEPAGE, BN_CLICKED);
    EXPECT_EQ(SendMessageW(page_, WM_COMMAND, click, reinterpret_cast<LPARAM>(Item(IDC_HOMEPAGE))), 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(received[0].wParam, click);
    EXPECT_EQ(reinterpret_cast<HWND>(received[0].lParam), Item(IDC_HOMEPAGE));
    EXPECT_EQ(SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0), 77) << "a handled message's result";
}

TEST_F(RolloutPage, KeepsUserDataAndText) {
    EXPECT_EQ(SetWindowLongPtrW(page_, DWLP_USER, 42), 0);
    EXPECT_EQ(GetWindowLongPtrW(page_, DWLP_USER), 42);
    EXPECT_EQ(SetWindowLongPtrW(Item(IDC_NR_EDIT), GWLP_USERDATA, 7), 0);
    EXPECT_EQ(SetWindowLongPtrW(Item(IDC_NR_EDIT), GWLP_USERDATA, 8), 7);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(Item(IDC_NR_EDIT), DWLP_USER), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    const HWND edit = Item(IDC_NR_EDIT);
    EXPECT_TRUE(SetWindowTextW(edit, L"0.27105"));
    EXPECT_EQ(GetWindowTextLengthW(edit), 7);
    wchar_t cut[4];
    EXPECT_EQ(GetWindowTextW(edit, cut, 4), 3);
    EXPECT_STREQ(cut, L"0.2");
}

TEST_F(RolloutPage, DestroyingTheHostDestroysThePage) {
    const HWND edit = Item(IDC_NR_EDIT);
    received.clear();
    EXPECT_TRUE(DestroyWindow(host_));
    EXPECT_EQ(ReceivedMessages(host_), (std::vector<UINT>{WM_DESTROY}));
    EXPECT_EQ(ReceivedMessages(page_), (std::vector<UINT>{WM_DESTROY}));
    for (HWND window : {host_, page_, edit}) EXPECT_FALSE(IsWindow(window));
    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(page_));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(RolloutPage, DestroyingThePageLeavesTheHost) {
    EXPECT_TRUE(DestroyWindow(page_));
    EXPECT_TRUE(IsWindow(host_));
    EXPECT_EQ(GetWindow(host_, GW_CHILD), nullptr);
}

TEST_F(ProductResources, AChildPageNeedsAParent) {
    SetLastError(0);
    EXPECT_EQ(CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_PANEL), nullptr, RecordingProc, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
    EXPECT_EQ(CreateDialogParamW(Module(), MAKEINTRESOURCEW(102), nullptr, RecordingProc, 0), nullptr)
        << "no such dialog";
    HWND notAWindow = reinterpret_cast<HWND>(&notAWindow);
    EXPECT_EQ(CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_PANEL), notAWindow, RecordingProc, 0), nullptr);
}

TEST_F(ProductResources, ADialogDestroyedWhileInitialisingIsNotReturned) {
    const auto popup = PopupTemplate(WS_POPUP);
    const HWND host = CreateFromTemplate(popup, nullptr);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_PANEL), host, DestroyingProc, 0), nullptr);
    EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr);
    DestroyWindow(host);
}

TEST(IndirectDialog, ChildTemplateInMemoryHasItsButton) {
    const auto popup = PopupTemplate(WS_POPUP);
    const auto child = PopupTemplate(WS_CHILD | WS_VISIBLE);
    const HWND host = CreateFromTemplate(popup, nullptr);
    const HWND page = CreateFromTemplate(child, host, 5);
    ASSERT_NE(page, nullptr);
    const HWND ok = GetDlgItem(page, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ClassOf(ok), L"Button");
    EXPECT_EQ(WindowText(ok), L"OK");
    EXPECT_EQ(WindowText(page), L"P");
    EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(ok, GW_HWNDFIRST), ok);
    EXPECT_EQ(GetDlgItem(page, IDCANCEL), nullptr);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(ok));
}

TEST(IndirectDialog, AnOwnedPopupGoesWithItsOwner) {
    const auto popup = PopupTemplate(WS_POPUP);
    const HWND owner = CreateFromTemplate(popup, nullptr);
    const HWND owned = CreateFromTemplate(popup, owner);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);
    EXPECT_EQ(GetWindow(owner, GW_CHILD), nullptr) << "owned, not a child";
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
}
