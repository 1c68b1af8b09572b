// Win32 error codes as the run-time's error numbers, for file, folder and device calls.
#pragma once
#include "frame/types.h"

namespace brixen::win {

// The run-time error number for a Win32 error code from a file, folder or device call.
// Codes without a closer match give 75 ("Path/File access error").
Long RuntimeErrorFromWin32(unsigned long win32Error);

// Raises the run-time error for GetLastError().
[[noreturn]] void RaiseLastError();
[[noreturn]] void RaiseWin32(unsigned long win32Error);

}  // namespace brixen::win
