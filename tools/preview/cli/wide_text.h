// Text for the terminal, and names as a user types them. The module's
// strings are wide (UTF-16 resources widened to wchar_t); the terminal and
// the command line speak UTF-8 (utf.h converts).
#pragma once

#include <string>

namespace aurivel::preview {

// The text with each control byte (below 0x20, and 0x7F) written as \xNN,
// so that bytes from a file or a command line cannot steer the terminal that
// shows a message.
std::string PrintableText(const std::string& text);

// Compares a wide name with what a user typed, ignoring ASCII case.
bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed);

}  // namespace aurivel::preview
