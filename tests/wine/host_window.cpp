#include "host_window.h"

#include <algorithm>

namespace wine_test {
namespace {

// The dialog manager hands each control the page's font with WM_SETFONT.
HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void DrawCaption(HWND window, HDC dc, RECT box, UINT format) {
    const std::wstring text = WindowText(window);
    const HGDIOBJ oldFont = SelectObject(dc, FontOf(window) ? FontOf(window) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), -1, &box, format | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
}

void PaintEdit(HWND window, HDC dc, RECT box) {
    FillRect(dc, &box, GetSysColorBrush(IsWindowEnabled(window) ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    InflateRect(&box, -3, 0);
    DrawCaption(window, dc, box, DT_LEFT);
}

void PaintSpinner(HWND window, HDC dc, RECT box) {
    const UINT state = IsWindowEnabled(window) ? 0 : DFCS_INACTIVE;
    RECT up = box, down = box;
    up.bottom = down.top = (box.top + box.bottom) / 2;
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | state);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | state);
}

void PaintButton(HWND window, HDC dc, RECT box) {
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (IsWindowEnabled(window) ? 0 : DFCS_INACTIVE));
    DrawCaption(window, dc, box, DT_CENTER);
}

template <void (*Paint)(HWND, HDC, RECT)>
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
            return 0;
        case WM_ENABLE:
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PAINTSTRUCT ps{};
            const HDC dc = message == WM_PAINT ? BeginPaint(window, &ps) : reinterpret_cast<HDC>(wParam);
            RECT box{};
            GetClientRect(window, &box);
            Paint(window, dc, box);
            if (message == WM_PAINT) EndPaint(window, &ps);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterControl(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

}  // namespace

void RegisterHostControls() {
    RegisterControl(L"CustEdit", ControlProc<PaintEdit>);
    RegisterControl(L"SpinnerControl", ControlProc<PaintSpinner>);
    RegisterControl(L"CustButton", ControlProc<PaintButton>);
}

std::wstring WindowsPath(const std::wstring& path) {
    std::wstring windows = path;
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return !windows.empty() && windows[0] == L'\\' ? L"Z:" + windows : windows;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace wine_test
