#include "dialog_template.h"

#include "byte_reader.h"
#include "text.h"

namespace win32shim {
namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
constexpr char16_t kOrdinalMarker = 0xFFFF;

std::wstring ReadString(ByteReader& reader) { return WidenUtf16(reader.ReadUtf16z()); }

// 0x0000 for none, 0xFFFF and an ordinal, or a string.
TemplateText ReadTemplateText(ByteReader& reader) {
    ByteReader peek = reader;
    const auto first = peek.Read<char16_t>();
    if (first == 0) {
        reader.Skip(sizeof(char16_t));
        return {};
    }
    if (first == kOrdinalMarker) {
        reader.Skip(sizeof(char16_t));
        return {reader.Read<WORD>(), {}};
    }
    return {std::nullopt, ReadString(reader)};
}

void ReadHeader(ByteReader& reader, DialogTemplate& dialog) {
    if (dialog.extended) {
        reader.Skip(2 * sizeof(WORD));  // version, signature
        dialog.helpId = reader.Read<DWORD>();
        dialog.exStyle = reader.Read<DWORD>();
        dialog.style = reader.Read<DWORD>();
    } else {
        dialog.style = reader.Read<DWORD>();
        dialog.exStyle = reader.Read<DWORD>();
    }
    const WORD count = reader.Read<WORD>();
    dialog.x = reader.Read<short>();
    dialog.y = reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    dialog.menu = ReadTemplateText(reader);
    dialog.windowClass = ReadTemplateText(reader);
    dialog.title = ReadString(reader);
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = reader.Read<WORD>();
        if (dialog.extended) {
            dialog.weight = reader.Read<WORD>();
            dialog.italic = reader.Read<BYTE>() != 0;
            dialog.charset = reader.Read<BYTE>();
        }
        dialog.typeface = ReadString(reader);
    }
    dialog.controls.resize(reader.Failed() ? 0 : count);
}

void ReadControl(ByteReader& reader, bool extended, DialogControlTemplate& control) {
    reader.Align(4);
    if (extended) {
        control.helpId = reader.Read<DWORD>();
        control.exStyle = reader.Read<DWORD>();
        control.style = reader.Read<DWORD>();
    } else {
        control.style = reader.Read<DWORD>();
        control.exStyle = reader.Read<DWORD>();
    }
    control.x = reader.Read<short>();
    control.y = reader.Read<short>();
    control.cx = reader.Read<short>();
    control.cy = reader.Read<short>();
    control.id = extended ? static_cast<int>(reader.Read<DWORD>()) : reader.Read<WORD>();
    control.windowClass = ReadTemplateText(reader);
    control.title = ReadTemplateText(reader);
    // The creation data's size word counts itself in plain templates.
    const WORD extra = reader.Read<WORD>();
    const size_t dataBytes = extended || extra < 2 ? extra : extra - sizeof(WORD);
    if (dataBytes <= reader.Remaining()) control.creationData.assign(reader.Here(), reader.Here() + dataBytes);
    reader.Skip(dataBytes);
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size) {
    ByteReader reader(data, size);
    DialogTemplate dialog;
    ByteReader peek = reader;
    peek.Skip(sizeof(WORD));
    dialog.extended = peek.Read<WORD>() == kExtendedSignature;
    ReadHeader(reader, dialog);
    for (auto& control : dialog.controls) ReadControl(reader, dialog.extended, control);
    if (reader.Failed()) return std::nullopt;
    return dialog;
}

}  // namespace win32shim
