// What the shim's windows do with the messages sent to them: a dialog passes
// them to its dialog procedure first; combo boxes and static controls handle
// their own messages; every window keeps its text.

#include "text.h"
#include "window.h"

#include <optional>

namespace win32shim {
namespace {

using Result = std::optional<LRESULT>;

LRESULT TextMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            window.text = ApiString(reinterpret_cast<LPCWSTR>(lParam));
            return TRUE;
        case WM_GETTEXT:
            return CopyTruncated(window.text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window.text.size());
        default:
            return 0;
    }
}

// The item index a message names, if there is such an item.
std::optional<size_t> ItemIndex(const Window& combo, WPARAM wParam) {
    const auto index = static_cast<INT_PTR>(wParam);
    if (index < 0 || static_cast<size_t>(index) >= combo.items.size()) return std::nullopt;
    return static_cast<size_t>(index);
}

void Select(Window& combo, std::optional<size_t> index) {
    combo.selection = index ? static_cast<int>(*index) : CB_ERR;
    combo.text = index ? combo.items[*index].text : std::wstring();
}

LRESULT InsertItem(Window& combo, WPARAM wParam, LPARAM lParam) {
    const auto at = static_cast<INT_PTR>(wParam);
    if (at > static_cast<INT_PTR>(combo.items.size())) return CB_ERR;
    const size_t index = at < 0 ? combo.items.size() : static_cast<size_t>(at);
    combo.items.insert(combo.items.begin() + static_cast<ptrdiff_t>(index),
                       ComboItem{std::wstring(ApiString(reinterpret_cast<LPCWSTR>(lParam))), 0});
    if (combo.selection != CB_ERR && static_cast<size_t>(combo.selection) >= index) ++combo.selection;
    return static_cast<LRESULT>(index);
}

LRESULT DeleteItem(Window& combo, size_t index) {
    combo.items.erase(combo.items.begin() + static_cast<ptrdiff_t>(index));
    if (combo.selection == static_cast<int>(index)) {
        combo.selection = CB_ERR;
    } else if (combo.selection > static_cast<int>(index)) {
        --combo.selection;
    }
    return static_cast<LRESULT>(combo.items.size());
}

// Styles that sort the list (CBS_SORT) are not supported: items keep the
// order in which they were added.
Result ComboBoxMessage(Window& combo, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto index = ItemIndex(combo, wParam);
    switch (message) {
        case CB_ADDSTRING:
            return InsertItem(combo, static_cast<WPARAM>(-1), lParam);
        case CB_INSERTSTRING:
            return InsertItem(combo, wParam, lParam);
        case CB_DELETESTRING:
            return index ? DeleteItem(combo, *index) : CB_ERR;
        case CB_RESETCONTENT:
            combo.items.clear();
            Select(combo, std::nullopt);
            return CB_OKAY;
        case CB_GETCOUNT:
            return static_cast<LRESULT>(combo.items.size());
        case CB_SETCURSEL:
            Select(combo, index);
            return index ? static_cast<LRESULT>(*index) : CB_ERR;
        case CB_GETCURSEL:
            return combo.selection;
        case CB_GETLBTEXTLEN:
            return index ? static_cast<LRESULT>(combo.items[*index].text.size()) : CB_ERR;
        case CB_GETLBTEXT: {
            if (!index) return CB_ERR;
            // The caller sizes the buffer from CB_GETLBTEXTLEN.
            const auto& text = combo.items[*index].text;
            return CopyTruncated(text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(text.size() + 1));
        }
        case CB_SETITEMDATA:
            if (!index) return CB_ERR;
            combo.items[*index].data = lParam;
            return TRUE;
        case CB_GETITEMDATA:
            return index ? combo.items[*index].data : CB_ERR;
        default:
            return std::nullopt;
    }
}

// The caller owns both the bitmap handed in and the one handed back.
Result StaticMessage(Window& control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != STM_SETIMAGE && message != STM_GETIMAGE) return std::nullopt;
    if (wParam != IMAGE_BITMAP) return 0;
    const HBITMAP previous = control.image;
    if (message == STM_SETIMAGE) {
        control.image = reinterpret_cast<HBITMAP>(lParam);
        control.ownsImage = false;
        FitToImage(control);
    }
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT ControlMessage(Window& control, UINT message, WPARAM wParam, LPARAM lParam) {
    Result result;
    if (control.className == L"ComboBox") result = ComboBoxMessage(control, message, wParam, lParam);
    if (control.className == L"Static") result = StaticMessage(control, message, wParam, lParam);
    return result ? *result : TextMessage(control, message, wParam, lParam);
}

// A dialog procedure that handles a message returns TRUE and leaves the
// result in DWLP_MSGRESULT, except for WM_INITDIALOG; one that returns
// FALSE leaves the message to the default handling.
LRESULT DialogMessage(HWND handle, DLGPROC procedure, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR handled = procedure != nullptr ? procedure(handle, message, wParam, lParam) : FALSE;
    Window* dialog = FindWindowObject(handle);  // the procedure may have destroyed it
    if (handled != FALSE) {
        if (message == WM_INITDIALOG) return handled;
        return dialog != nullptr ? dialog->messageResult : 0;
    }
    return dialog != nullptr ? TextMessage(*dialog, message, wParam, lParam) : 0;
}

}  // namespace

LRESULT DispatchMessageTo(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return 0;
    if (window->isDialog) return DialogMessage(handle, window->dialogProc, message, wParam, lParam);
    return ControlMessage(*window, message, wParam, lParam);
}

}  // namespace win32shim
