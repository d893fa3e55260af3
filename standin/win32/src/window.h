// The shim's window model: dialogs and their controls as plain objects, an
// HWND being the address of one. Windows belong to the thread that uses
// them, as in Win32; only the set of live windows is shared between threads.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace win32shim {

struct ComboItem {
    std::wstring text;
    LPARAM data = 0;
};

struct Window {
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window();

    HINSTANCE instance = nullptr;
    Window* parent = nullptr;                       // of a child window
    Window* owner = nullptr;                        // of a top-level window created with a parent
    std::vector<std::unique_ptr<Window>> children;  // in z order, top first
    bool isDialog = false;
    bool destroying = false;

    int id = 0;
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // pixels, in the parent's coordinates (the screen's for a top-level window)

    DLGPROC dialogProc = nullptr;
    LONG_PTR messageResult = 0;
    LONG_PTR dialogUserData = 0;
    LONG_PTR userData = 0;

    std::vector<ComboItem> items;  // of a combo box
    int selection = CB_ERR;

    HBITMAP image = nullptr;  // of a static control
    bool ownsImage = false;   // loaded by the control from its template

    UINT invalidations = 0;
};

HWND HandleOf(const Window* window);
// The window behind a handle, or null for a handle of no live window.
Window* FindWindowObject(HWND handle);
// As FindWindowObject, setting ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* LiveWindow(HWND handle);

// Takes ownership and makes the window live: a child of its parent, placed
// at the bottom of the z order, or a top-level window.
Window* AddWindow(std::unique_ptr<Window> window);

// Sends WM_DESTROY to the window and its descendants, then frees them.
void DestroyWindowTree(Window& window);

// Handles a message sent to a window (the window procedures of the shim).
LRESULT DispatchMessageTo(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Sizes a bitmap static control to its bitmap, unless its style keeps the
// control's own size.
void FitToImage(Window& control);

}  // namespace win32shim
