// What the host program around the module provides under Windows: the
// host's custom control classes, paths of the build tree as Windows names
// them, and small window helpers.
#pragma once

#include <windows.h>

#include <string>

namespace wine_test {

// Registers CustEdit, SpinnerControl and CustButton as global classes (the
// module's dialog template names them); each draws a plain likeness of the
// host's control. Idempotent.
void RegisterHostControls();

// A path of the build tree: Unix paths are reached under Wine through drive Z:.
std::wstring WindowsPath(const std::wstring& path);

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);

// Delivers pending messages (painting among them) of this thread's windows.
void PumpMessages();

}  // namespace wine_test
