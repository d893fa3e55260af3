// Prints the map's rollout page as the host builds it: one row per control in
// template order, with its ID, class, caption, rectangle in dialog units and
// pixels, style bits and enabled state, for a reader to check against the
// page. Usage: aurivel-rollout-dump [path to Aurivel.dlt]
#include <cstdio>
#include <memory>
#include <string>

#include "max.h"
#include "standin/material_editor.h"
#include "standin/plugin_library.h"
#include "utf/utf.h"

namespace {

using aurivel::utf::Utf8FromWide;

std::wstring ClassName(HWND window) {
    WCHAR buffer[256] = {};  // the longest class name Windows registers
    GetClassNameW(window, buffer, 256);
    return buffer;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The caption as one line: the credits label holds a line feed.
std::string Caption(HWND window) {
    std::string text = Utf8FromWide(WindowText(window));
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) text.replace(at, 1, "\\n");
    return "\"" + text + "\"";
}

void PrintPage(HWND page) {
    std::printf("%-3s %6s  %-15s %-9s %-19s %-10s %s\n", "#", "ID", "class", "enabled", "pixels (x y w h)", "style",
                "caption");
    RECT pageRect = {};
    GetWindowRect(page, &pageRect);
    int index = 1;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        RECT r = {};
        GetWindowRect(child, &r);
        char pixels[64];
        std::snprintf(pixels, sizeof pixels, "%ld %ld %ld %ld", static_cast<long>(r.left - pageRect.left),
                      static_cast<long>(r.top - pageRect.top), static_cast<long>(r.right - r.left),
                      static_cast<long>(r.bottom - r.top));
        std::printf("%-3d %6d  %-15s %-9s %-19s 0x%08lx %s\n", index, GetDlgCtrlID(child),
                    Utf8FromWide(ClassName(child)).c_str(), IsWindowEnabled(child) ? "yes" : "no", pixels,
                    static_cast<unsigned long>(GetWindowLongPtrW(child, GWL_STYLE)), Caption(child).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : AURIVEL_MODULE_PATH;
    std::string error;
    auto library = standin::PluginLibrary::Load(aurivel::utf::WideFromUtf8(path), &error);
    if (!library) {
        std::fprintf(stderr, "aurivel-rollout-dump: %s\n", error.c_str());
        return 1;
    }
    auto* map = static_cast<MtlBase*>(static_cast<ReferenceTarget*>(library->Class(0)->Create(FALSE)));
    int status = 0;
    {
        standin::MaterialEditor editor;
        editor.Open(map);
        for (const auto& rollup : editor.Rollups()) {
            std::printf("== rollout \"%s\"\n", Utf8FromWide(rollup.title).c_str());
            PrintPage(rollup.page);
        }
        if (editor.Rollups().empty()) {
            std::fprintf(stderr, "aurivel-rollout-dump: the map's editor shows no rollout\n");
            status = 1;
        }
    }
    map->DeleteThis();
    return status;
}
