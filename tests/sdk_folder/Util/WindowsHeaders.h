// Windows' own headers, named as Windows spells them, as the SDK's headers
// name them: on a case-sensitive file system only a case-insensitive look-up
// of the Windows header folders finds them.
#pragma once

#include <WTypes.h>
#include <Wtypes.h>
#include <WinUser.h>
#include <CommCtrl.h>
#include <CommDlg.h>
#include <Guiddef.h>
#include <ObjIdl.h>
#include <PropIdl.h>
#include <CGuid.h>
