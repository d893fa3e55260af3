#include "dialog_template_builder.h"

namespace standin {

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short width, short height) {
    AddDword(style);
    AddDword(0);  // extended style
    countIndex = words.size();
    words.push_back(0);
    for (short v : {short{0}, short{0}, width, height}) words.push_back(static_cast<WORD>(v));
    words.push_back(0);  // no menu
    words.push_back(0);  // the default dialog class
    words.push_back(0);  // no title
}

void DialogTemplateBuilder::AddControl(WORD id, WORD classAtom, const wchar_t* text, DWORD style, short x, short y,
                                       short width, short height) {
    BeginControl(id, style, x, y, width, height);
    words.push_back(0xFFFF);
    words.push_back(classAtom);
    AddText(text);
    words.push_back(0);  // no creation data
}

void DialogTemplateBuilder::AddControl(WORD id, const wchar_t* className, const wchar_t* text, DWORD style, short x,
                                       short y, short width, short height) {
    BeginControl(id, style, x, y, width, height);
    AddText(className);
    AddText(text);
    words.push_back(0);
}

void DialogTemplateBuilder::BeginControl(WORD id, DWORD style, short x, short y, short width, short height) {
    ++words[countIndex];
    AlignToDword();
    AddDword(style);
    AddDword(0);
    for (short v : {x, y, width, height}) words.push_back(static_cast<WORD>(v));
    words.push_back(id);
}

// The host's own texts are plain ASCII, so each character is one unit.
void DialogTemplateBuilder::AddText(const wchar_t* text) {
    for (; *text; ++text) words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
}

void DialogTemplateBuilder::AddDword(DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void DialogTemplateBuilder::AlignToDword() {
    if (words.size() % 2 != 0) words.push_back(0);
}

}  // namespace standin
