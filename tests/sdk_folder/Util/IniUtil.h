// The SDK's own reading of settings files, under the names of Win32's
// functions: its using-declarations clash with <windows.h>'s functions of
// those names unless NO_INIUTIL_USING is defined.
#pragma once

#include <windows.h>

namespace MaxSDK {
namespace Util {
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT fallback, LPCWSTR file);
}  // namespace Util
}  // namespace MaxSDK

#ifndef NO_INIUTIL_USING
using MaxSDK::Util::GetPrivateProfileIntW;
#endif
