// Creating dialogs from templates.
//
// Dialog units become pixels with fixed base units: those of 8-point
// MS Sans Serif on a 96-dpi display, an average character 6 pixels wide and
// 13 pixels high. A horizontal unit is a quarter of the width and a vertical
// unit an eighth of the height, so x pixels = MulDiv(x, 6, 4) and
// y pixels = MulDiv(y, 13, 8), whatever font the template names. Dialogs
// have no caption or border, so window and client area coincide.

#include "bitmaps.h"
#include "dialog_template.h"
#include "resources.h"
#include "window.h"

#include <windows.h>

#include <cwctype>

namespace win32shim {
namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr wchar_t kDialogClass[] = L"#32770";

struct PredefinedClass {
    WORD atom;
    const wchar_t* name;
};
constexpr PredefinedClass kPredefinedClasses[] = {
    {0x0080, L"Button"},  {0x0081, L"Edit"},      {0x0082, L"Static"},
    {0x0083, L"ListBox"}, {0x0084, L"ScrollBar"}, {0x0085, L"ComboBox"},
};

// Rounds to the nearest integer, halves away from zero, as Win32's MulDiv.
LONG MulDiv(LONG number, LONG numerator, LONG denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

LONG DialogUnitsToPixelsX(LONG x) { return MulDiv(x, kBaseUnitX, 4); }
LONG DialogUnitsToPixelsY(LONG y) { return MulDiv(y, kBaseUnitY, 8); }

RECT PixelRect(short x, short y, short cx, short cy) {
    const LONG left = DialogUnitsToPixelsX(x);
    const LONG top = DialogUnitsToPixelsY(y);
    return {left, top, left + DialogUnitsToPixelsX(cx), top + DialogUnitsToPixelsY(cy)};
}

bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return i == a.size() && b[i] == 0;
}

// Predefined classes by their names, however the template gives them;
// other classes (the host's custom controls) as named.
std::wstring ClassName(const TemplateText& windowClass) {
    for (const auto& predefined : kPredefinedClasses) {
        const bool matches = windowClass.ordinal ? *windowClass.ordinal == predefined.atom
                                                 : EqualsIgnoringCase(windowClass.text, predefined.name);
        if (matches) return predefined.name;
    }
    return windowClass.text;
}

bool IsBitmapStatic(const Window& control) {
    return control.className == L"Static" && (control.style & SS_TYPEMASK) == SS_BITMAP;
}

std::unique_ptr<Window> MakeControl(const DialogControlTemplate& item, Window& dialog) {
    auto control = std::make_unique<Window>();
    control->instance = dialog.instance;
    control->parent = &dialog;
    control->id = item.id;
    control->className = ClassName(item.windowClass);
    control->style = item.style;
    control->exStyle = item.exStyle;
    control->rect = PixelRect(item.x, item.y, item.cx, item.cy);
    control->text = item.title.text;
    if (IsBitmapStatic(*control) && item.title.ordinal) {
        control->image = LoadBitmapResource(dialog.instance, MAKEINTRESOURCEW(*item.title.ordinal), false);
        control->ownsImage = control->image != nullptr;
        FitToImage(*control);
    }
    return control;
}

std::unique_ptr<Window> MakeDialog(const DialogTemplate& dialogTemplate, HINSTANCE instance, Window* parent,
                                   DLGPROC procedure) {
    auto dialog = std::make_unique<Window>();
    dialog->isDialog = true;
    dialog->instance = instance;
    const bool isChild = (dialogTemplate.style & WS_CHILD) != 0;
    (isChild ? dialog->parent : dialog->owner) = parent;
    dialog->className = dialogTemplate.windowClass.text.empty() ? kDialogClass : dialogTemplate.windowClass.text;
    dialog->text = dialogTemplate.title;
    dialog->style = dialogTemplate.style;
    dialog->exStyle = dialogTemplate.exStyle;
    dialog->rect = PixelRect(dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx, dialogTemplate.cy);
    dialog->dialogProc = procedure;
    return dialog;
}

HWND FirstTabStop(const Window& dialog) {
    for (const auto& control : dialog.children) {
        const DWORD style = control->style;
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return HandleOf(control.get());
    }
    return nullptr;
}

// The parent must be a live window, and a child dialog must have one.
bool ValidParent(const DialogTemplate& dialogTemplate, HWND parentHandle, Window*& parent) {
    parent = parentHandle != nullptr ? LiveWindow(parentHandle) : nullptr;
    if (parentHandle != nullptr && parent == nullptr) return false;
    if ((dialogTemplate.style & WS_CHILD) && parent == nullptr) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return false;
    }
    return true;
}

HWND CreateDialogFromBytes(HINSTANCE instance, const uint8_t* data, size_t size, HWND parentHandle, DLGPROC procedure,
                           LPARAM initParam) {
    const auto dialogTemplate = ParseDialogTemplate(data, size);
    if (!dialogTemplate) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    Window* parent = nullptr;
    if (!ValidParent(*dialogTemplate, parentHandle, parent)) return nullptr;
    Window* dialog = AddWindow(MakeDialog(*dialogTemplate, instance, parent, procedure));
    for (const auto& item : dialogTemplate->controls) AddWindow(MakeControl(item, *dialog));
    const HWND handle = HandleOf(dialog);
    SendMessageW(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstTabStop(*dialog)), initParam);
    // The procedure may have destroyed the dialog while initialising it.
    return FindWindowObject(handle) != nullptr ? handle : nullptr;
}

}  // namespace
}  // namespace win32shim

using namespace win32shim;

extern "C" HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                                          DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    const auto resource = LoadResourceBytes(hInstance, lpTemplateName, RT_DIALOG);
    if (resource.data == nullptr) return nullptr;
    return CreateDialogFromBytes(hInstance, resource.data, resource.size, hWndParent, lpDialogFunc, dwInitParam);
}

// The template's size is not known: it is read as far as it goes, as in
// Win32.
extern "C" HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                                  DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (lpTemplate == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    constexpr size_t kUnknownSize = static_cast<size_t>(1) << 30;
    return CreateDialogFromBytes(hInstance, reinterpret_cast<const uint8_t*>(lpTemplate), kUnknownSize, hWndParent,
                                 lpDialogFunc, dwInitParam);
}

extern "C" BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    const Window* dialog = LiveWindow(hDlg);
    if (dialog == nullptr || !dialog->isDialog || lpRect == nullptr) return FALSE;
    lpRect->left = DialogUnitsToPixelsX(lpRect->left);
    lpRect->right = DialogUnitsToPixelsX(lpRect->right);
    lpRect->top = DialogUnitsToPixelsY(lpRect->top);
    lpRect->bottom = DialogUnitsToPixelsY(lpRect->bottom);
    return TRUE;
}
