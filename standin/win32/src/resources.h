// Resource lookup shared by the resource API, dialogs and bitmaps.
#pragma once

#include "module_table.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace win32shim {

// A module's resource data, valid while the module stays loaded.
struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// FindResourceW, LoadResource and SizeofResource in one step; null data when
// the module or the resource is missing.
ResourceBytes LoadResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type);

// A null module handle stands for the main program, as in Windows.
HMODULE ModuleOrMainProgram(HMODULE module);

}  // namespace win32shim
