// Functions, constants and structures of the Win32 subset (declared by the
// shim library; see standin/win32/src).
#pragma once
