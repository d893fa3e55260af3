// Bitmap objects of the shim's GDI.
#pragma once

#include <windows.h>

namespace win32shim {

// Loads a bitmap resource (a DIB) from the module. A DIB section keeps the
// resource's pixel format and pixels; otherwise the bitmap stands for a
// device-dependent bitmap of a 32-bit display, whose bits are not
// accessible.
HBITMAP LoadBitmapResource(HINSTANCE module, LPCWSTR name, bool dibSection);

bool IsBitmap(HGDIOBJ object);

}  // namespace win32shim
