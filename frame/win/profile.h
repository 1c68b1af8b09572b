// The platform's private-profile (INI file) calls in their ANSI form, for the INI members of
// clsProperty and clsMethod: section, key and file in the system code page, text read back up
// to its first NUL.
//
// A section or key name of 32,767 bytes or more names no entry the platform keeps, and Wine's
// profile functions can crash on one (its 64-bit writer on such a key); so can they on a bare
// file name too long for a path in the Windows folder. Such a name is answered here as an
// absent entry: a read gives the caller's default, a write fails; the platform is not called.
// A value of 32,767 bytes or more is not written either (Wine's 32-bit writer crashes on one,
// and the ANSI call cannot pass it on whole): the write fails and the file stays as it was.
#pragma once
#include <windows.h>

#include "frame/types.h"

namespace brixen::win {

// GetPrivateProfileIntA: the key's value as a whole number, or `absent`.
UINT ProfileInt(StringView section, StringView key, UINT absent, StringView file);

// GetPrivateProfileStringA into a buffer of `buffer_size` bytes: the value, or `absent`.
String ProfileText(StringView section, StringView key, StringView absent, DWORD buffer_size, StringView file);

// WritePrivateProfileStringA: true when the platform reports success.
bool WriteProfileText(StringView section, StringView key, StringView value, StringView file);

}  // namespace brixen::win
