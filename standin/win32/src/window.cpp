#include "window.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace win32shim {
namespace {

std::mutex windowsMutex;
std::unordered_set<const Window*> liveWindows;
std::vector<std::unique_ptr<Window>> topLevelWindows;

void Register(const Window& window) {
    std::lock_guard<std::mutex> lock(windowsMutex);
    liveWindows.insert(&window);
}

void Unregister(const Window& window) {
    for (const auto& child : window.children) Unregister(*child);
    std::lock_guard<std::mutex> lock(windowsMutex);
    liveWindows.erase(&window);
}

std::vector<HWND> OwnedWindows(const Window& owner) {
    std::vector<HWND> owned;
    std::lock_guard<std::mutex> lock(windowsMutex);
    for (const auto& window : topLevelWindows) {
        if (window->owner == &owner) owned.push_back(HandleOf(window.get()));
    }
    return owned;
}

void SendDestroy(Window& window) {
    window.destroying = true;
    const HWND handle = HandleOf(&window);
    if (window.isDialog && window.dialogProc != nullptr) window.dialogProc(handle, WM_DESTROY, 0, 0);
    for (const auto& child : window.children) SendDestroy(*child);
}

std::unique_ptr<Window> Detach(Window& window) {
    std::unique_ptr<Window> detached;
    auto take = [&](std::vector<std::unique_ptr<Window>>& list) {
        const auto found = std::find_if(list.begin(), list.end(), [&](const auto& w) { return w.get() == &window; });
        if (found == list.end()) return;
        detached = std::move(*found);
        list.erase(found);
    };
    if (window.parent != nullptr) {
        take(window.parent->children);
    } else {
        std::lock_guard<std::mutex> lock(windowsMutex);
        take(topLevelWindows);
    }
    return detached;
}

}  // namespace

Window::~Window() {
    if (ownsImage) DeleteObject(image);
}

HWND HandleOf(const Window* window) { return reinterpret_cast<HWND>(const_cast<Window*>(window)); }

Window* FindWindowObject(HWND handle) {
    std::lock_guard<std::mutex> lock(windowsMutex);
    auto* window = reinterpret_cast<Window*>(handle);
    return liveWindows.count(window) != 0 ? window : nullptr;
}

Window* LiveWindow(HWND handle) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

Window* AddWindow(std::unique_ptr<Window> window) {
    Window* added = window.get();
    Register(*added);
    if (added->parent != nullptr) {
        added->parent->children.push_back(std::move(window));
    } else {
        std::lock_guard<std::mutex> lock(windowsMutex);
        topLevelWindows.push_back(std::move(window));
    }
    return added;
}

// Owned windows go first, then the window itself, as in Win32.
void DestroyWindowTree(Window& window) {
    for (HWND owned : OwnedWindows(window)) {
        if (Window* ownedWindow = FindWindowObject(owned)) DestroyWindowTree(*ownedWindow);
    }
    SendDestroy(window);
    Unregister(window);
    Detach(window);  // frees the window and its descendants
}

void FitToImage(Window& control) {
    const bool keepsOwnSize = (control.style & (SS_REALSIZECONTROL | SS_CENTERIMAGE)) != 0;
    BITMAP bitmap{};
    if ((control.style & SS_TYPEMASK) != SS_BITMAP || keepsOwnSize ||
        GetObjectW(control.image, sizeof bitmap, &bitmap) == 0) {
        return;
    }
    control.rect.right = control.rect.left + bitmap.bmWidth;
    control.rect.bottom = control.rect.top + bitmap.bmHeight;
}

}  // namespace win32shim
