// Dialog templates built in memory, for the host's own pages (the editor's
// panel, the default output's rollout), in the plain DLGTEMPLATE format that
// CreateDialogIndirectParamW reads on Windows and in the shim alike.
#pragma once

#include <windows.h>

#include <vector>

namespace standin {

class DialogTemplateBuilder {
public:
    DialogTemplateBuilder(DWORD style, short width, short height);

    // `classAtom` is a predefined class (0x0080 Button, 0x0082 Static, ...).
    void AddControl(WORD id, WORD classAtom, const wchar_t* text, DWORD style, short x, short y, short width,
                    short height);
    void AddControl(WORD id, const wchar_t* className, const wchar_t* text, DWORD style, short x, short y, short width,
                    short height);

    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words.data()); }

private:
    void BeginControl(WORD id, DWORD style, short x, short y, short width, short height);
    void AddText(const wchar_t* text);
    void AddDword(DWORD value);
    void AlignToDword();

    // Templates are sequences of 16-bit units, DWORD-aligned at each control.
    std::vector<WORD> words;
    size_t countIndex;
};

}  // namespace standin
