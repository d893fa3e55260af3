// Dialog templates as resource compilers write them: the extended form
// (DLGTEMPLATEEX, version 1, signature 0xFFFF) and the plain DLGTEMPLATE.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win32shim {

// A class, caption or menu field: absent, an ordinal or a string.
struct TemplateText {
    std::optional<WORD> ordinal;
    std::wstring text;
};

struct DialogControlTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    TemplateText windowClass;  // predefined classes as their atoms
    TemplateText title;
    std::vector<uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateText menu;
    TemplateText windowClass;
    std::wstring title;
    // Font, when the style has DS_SETFONT.
    WORD pointSize = 0;
    WORD weight = 0;
    bool italic = false;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogControlTemplate> controls;
};

// None if the bytes end before the template does.
std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size);

}  // namespace win32shim
