/* What a resource script includes for the predefined constants: style bits,
 * languages, control identifiers and the predefined resource types as plain
 * numbers. */
#pragma once

#include "win32shim_resdefs.h"

#define IDC_STATIC (-1)

#define RT_CURSOR 1
#define RT_BITMAP 2
#define RT_ICON 3
#define RT_MENU 4
#define RT_DIALOG 5
#define RT_STRING 6
#define RT_FONTDIR 7
#define RT_FONT 8
#define RT_ACCELERATOR 9
#define RT_RCDATA 10
#define RT_MESSAGETABLE 11
#define RT_GROUP_CURSOR 12
#define RT_GROUP_ICON 14
#define RT_VERSION 16
#define RT_MANIFEST 24
