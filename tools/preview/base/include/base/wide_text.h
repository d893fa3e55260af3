// Text for the terminal, and names as a user types them. The module's
// strings are wide (UTF-16 resources widened to wchar_t); the terminal and
// the command line speak UTF-8 (utf.h converts).
#pragma once

#include <string>

namespace aurivel::preview {

// The text with each control character (below 0x20, 0x7F, and U+0080 to
// U+009F) and each byte that is not part of valid UTF-8 written as \xNN, so
// that bytes from a file or a command line cannot steer or garble the
// terminal that shows a message.
std::string PrintableText(const std::string& text);

// Compares a wide name with what a user typed, ignoring ASCII case.
bool SameNameIgnoringCase(const std::wstring& name, const std::string& typed);

}  // namespace aurivel::preview
