// Module-wide services: the module handle, the string loader and the class
// descriptor accessor.
#pragma once

#include <windows.h>
#include <tchar.h>

class ClassDesc2;

// The module's own handle; null until DllMain's attach call has run.
extern HINSTANCE hInstance;

// Loads string resource `id` into the module's one shared buffer and returns
// it, or null when the module handle is not known yet or the string is
// missing. The text stays valid only until the next call.
const TCHAR* GetString(int id);

// The module's one class descriptor, made on the first call; defined with
// the descriptor's class (AurivelClassDesc.cpp).
ClassDesc2* GetAurivelDesc();
