// Visual C++'s <new.h>: the standard <new>, and the type of the C runtime's
// new handler.
#pragma once

#include <stddef.h>

#include <new>

typedef int(__cdecl* _PNH)(size_t);
