// The module's strings are wide (UTF-16 resources widened to wchar_t); the
// terminal and the command line speak UTF-8.
#pragma once

#include <string>

namespace aurivel::preview {

std::string Utf8FromWide(const std::wstring& text);
// Bytes that are not valid UTF-8 are taken one by one as Latin-1.
std::wstring WideFromUtf8(const std::string& text);

// The text with each control byte (below 0x20, and 0x7F) written as \xNN,
// so that bytes from a file or a command line cannot steer the terminal that
// shows a message.
std::string PrintableText(const std::string& text);

// Compares a wide name with what a user typed, ignoring ASCII case.
bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed);

}  // namespace aurivel::preview
