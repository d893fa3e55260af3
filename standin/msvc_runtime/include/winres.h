// Visual C++'s winres.h, which resource scripts include: the Windows SDK's
// resource definitions and IDC_STATIC for controls without an identifier.
#pragma once

#include <winresrc.h>

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
