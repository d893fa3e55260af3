// The Win32 window functions over the shim's window model.

#include "text.h"
#include "window.h"

#include <win32shim_testing.h>

#include <optional>

namespace win32shim {
namespace {

HWND Sibling(const Window& window, UINT relation) {
    if (window.parent == nullptr) return nullptr;  // top-level windows are not ordered
    const auto& siblings = window.parent->children;
    size_t at = 0;
    while (siblings[at].get() != &window) ++at;
    switch (relation) {
        case GW_HWNDFIRST:
            return HandleOf(siblings.front().get());
        case GW_HWNDLAST:
            return HandleOf(siblings.back().get());
        case GW_HWNDNEXT:
            return at + 1 < siblings.size() ? HandleOf(siblings[at + 1].get()) : nullptr;
        default:  // GW_HWNDPREV
            return at > 0 ? HandleOf(siblings[at - 1].get()) : nullptr;
    }
}

// Styles are 32-bit values that Win32 hands out sign-extended.
LONG_PTR FromDword(DWORD value) { return static_cast<LONG>(value); }

std::optional<LONG_PTR> WindowLong(const Window& window, int index) {
    switch (index) {
        case GWL_STYLE:
            return FromDword(window.style);
        case GWL_EXSTYLE:
            return FromDword(window.exStyle);
        case GWL_ID:
            return window.id;
        case GWLP_USERDATA:
            return window.userData;
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window.instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(window.parent != nullptr ? window.parent : window.owner);
    }
    if (!window.isDialog) return std::nullopt;
    switch (index) {
        case DWLP_MSGRESULT:
            return window.messageResult;
        case DWLP_DLGPROC:
            return reinterpret_cast<LONG_PTR>(window.dialogProc);
        case DWLP_USER:
            return window.dialogUserData;
    }
    return std::nullopt;
}

bool SetWindowLong(Window& window, int index, LONG_PTR value) {
    switch (index) {
        case GWL_STYLE:
            window.style = static_cast<DWORD>(value);
            return true;
        case GWL_EXSTYLE:
            window.exStyle = static_cast<DWORD>(value);
            return true;
        case GWL_ID:
            window.id = static_cast<int>(value);
            return true;
        case GWLP_USERDATA:
            window.userData = value;
            return true;
    }
    if (!window.isDialog) return false;
    switch (index) {
        case DWLP_MSGRESULT:
            window.messageResult = value;
            return true;
        case DWLP_DLGPROC:
            window.dialogProc = reinterpret_cast<DLGPROC>(value);
            return true;
        case DWLP_USER:
            window.dialogUserData = value;
            return true;
    }
    return false;
}

}  // namespace
}  // namespace win32shim

using namespace win32shim;

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* window = LiveWindow(hWnd);
    if (window == nullptr) return FALSE;
    if (!window->destroying) DestroyWindowTree(*window);
    return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowObject(hWnd) != nullptr; }

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    const Window* dialog = LiveWindow(hDlg);
    if (dialog == nullptr) return nullptr;
    for (const auto& child : dialog->children) {
        if (child->id == nIDDlgItem) return HandleOf(child.get());
    }
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hWnd) {
    const Window* window = LiveWindow(hWnd);
    return window != nullptr && window->parent != nullptr ? window->id : 0;
}

// A child's parent, or the owner of a top-level pop-up window.
extern "C" HWND WINAPI GetParent(HWND hWnd) {
    const Window* window = LiveWindow(hWnd);
    if (window == nullptr) return nullptr;
    if (window->parent != nullptr) return HandleOf(window->parent);
    return (window->style & WS_POPUP) ? HandleOf(window->owner) : nullptr;
}

extern "C" HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    const Window* window = LiveWindow(hWnd);
    if (window == nullptr) return nullptr;
    switch (uCmd) {
        case GW_CHILD:
            return window->children.empty() ? nullptr : HandleOf(window->children.front().get());
        case GW_OWNER:
            return HandleOf(window->owner);
        case GW_HWNDFIRST:
        case GW_HWNDLAST:
        case GW_HWNDNEXT:
        case GW_HWNDPREV:
            return Sibling(*window, uCmd);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
    const Window* window = LiveWindow(hWnd);
    return window != nullptr ? CopyTruncated(window->className, lpClassName, nMaxCount) : 0;
}

extern "C" LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
    const Window* window = LiveWindow(hWnd);
    if (window == nullptr) return 0;
    const auto value = WindowLong(*window, nIndex);
    if (!value) SetLastError(ERROR_INVALID_INDEX);
    return value.value_or(0);
}

extern "C" LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* window = LiveWindow(hWnd);
    if (window == nullptr) return 0;
    const LONG_PTR previous = WindowLong(*window, nIndex).value_or(0);
    if (!SetWindowLong(*window, nIndex, dwNewLong)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return previous;
}

// Returns whether the window was disabled before. A change of state is
// announced to the window with WM_ENABLE.
extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* window = LiveWindow(hWnd);
    if (window == nullptr) return FALSE;
    const bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (bEnable) {
        window->style &= ~static_cast<DWORD>(WS_DISABLED);
    } else {
        window->style |= static_cast<DWORD>(WS_DISABLED);
    }
    if (wasDisabled == (bEnable != FALSE)) SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    const Window* window = LiveWindow(hWnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0;
}

extern "C" BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
    return LiveWindow(hWnd) != nullptr && SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

extern "C" int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
    if (LiveWindow(hWnd) == nullptr) return 0;
    return static_cast<int>(
        SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

extern "C" int WINAPI GetWindowTextLengthW(HWND hWnd) {
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return DispatchMessageTo(hWnd, Msg, wParam, lParam);
}

extern "C" LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control != nullptr ? SendMessageW(control, Msg, wParam, lParam) : 0;
}

// Nothing is drawn; each call is counted for the window (a null window,
// which stands for all windows in Win32, is counted nowhere).
extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL) {
    if (hWnd == nullptr) return TRUE;
    Window* window = LiveWindow(hWnd);
    if (window == nullptr) return FALSE;
    ++window->invalidations;
    return TRUE;
}

// In screen coordinates: the window's place plus those of its ancestors.
extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    const Window* window = LiveWindow(hWnd);
    if (window == nullptr || lpRect == nullptr) return FALSE;
    RECT rect = window->rect;
    for (const Window* ancestor = window->parent; ancestor != nullptr; ancestor = ancestor->parent) {
        rect.left += ancestor->rect.left;
        rect.right += ancestor->rect.left;
        rect.top += ancestor->rect.top;
        rect.bottom += ancestor->rect.top;
    }
    *lpRect = rect;
    return TRUE;
}

extern "C" UINT Win32Shim_GetInvalidateCount(HWND hWnd) {
    const Window* window = FindWindowObject(hWnd);
    return window != nullptr ? window->invalidations : 0;
}
